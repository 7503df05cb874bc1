// From rendered pixels to a video frame: the box filter that takes the supersampled rows of the
// picture down to the frame, with the picture placed in it as app/FrameLayout.h lays it out.
#pragma once

#include <vector>

#include "app/FrameLayout.h"

class FrameComposer {
public:
    explicit FrameComposer(const FrameLayout& layout);
    // BGRA rows of the rendered picture, bottom row first (as GL reads them), into RGB rows of the
    // whole frame, top row first: each supersample x supersample block averaged, the bars black.
    // The frame is meant to be handed back each time: only the first call writes its bars.
    void compose(const unsigned char* renderedBgra, std::vector<unsigned char>* frameRgb);

private:
    FrameLayout layout;
    std::vector<unsigned> sums;          // one row of the picture, three sums a pixel
    std::vector<unsigned char> average;  // a block's sum to its rounded mean
    bool barsDrawn = false;
};
