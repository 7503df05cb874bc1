// From rendered pixels to a video frame: where the show's 4:3 picture sits in a frame of any size,
// how large it is rendered, and the box filter that takes the supersampled rows down to it.
#pragma once

#include <vector>

struct FrameLayout {
    int frameWidth = 0, frameHeight = 0;      // the frame written out
    int pictureWidth = 0, pictureHeight = 0;  // the 4:3 picture inside it
    int left = 0, top = 0;                    // the picture's top left corner in the frame
    int supersample = 1;                      // rendered pixels per frame pixel, each way

    int renderWidth() const { return pictureWidth * supersample; }
    int renderHeight() const { return pictureHeight * supersample; }
    // Rendered pixels per pixel of the show's own 640x480 picture, each way: what a size given in
    // pixels (points, lines) is multiplied by to look the same relative to the frame.
    float pixelScale() const;
};

// The largest 4:3 picture that fits the frame, centred; black bars fill the rest.
FrameLayout layoutFrame(int frameWidth, int frameHeight, int supersample);

class FrameComposer {
public:
    explicit FrameComposer(const FrameLayout& layout);
    // BGRA rows of the rendered picture, bottom row first (as GL reads them), into RGB rows of the
    // whole frame, top row first: each supersample x supersample block averaged, the bars black.
    // The frame is meant to be handed back each time: only the first call writes its bars.
    void compose(const unsigned char* renderedBgra, std::vector<unsigned char>* frameRgb);

private:
    FrameLayout layout_;
    std::vector<unsigned> sums_;          // one row of the picture, three sums a pixel
    std::vector<unsigned char> average_;  // a block's sum to its rounded mean
    bool barsDrawn_ = false;
};
