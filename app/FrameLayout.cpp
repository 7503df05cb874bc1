// The picture's place in a frame: rounded to whole pixels, the bars split evenly (the odd pixel,
// if any, going to the right or the bottom).
#include "app/FrameLayout.h"

#include <cmath>

#include "show/ShowConstants.h"

float FrameLayout::pixelScale() const {
    return static_cast<float>(renderHeight()) / static_cast<float>(show::screenHeight);
}

FrameLayout layoutFrame(int frameWidth, int frameHeight, int supersample) {
    FrameLayout layout;
    layout.frameWidth = frameWidth;
    layout.frameHeight = frameHeight;
    layout.supersample = supersample;
    const long wide = static_cast<long>(frameWidth) * show::screenHeight;
    const long tall = static_cast<long>(frameHeight) * show::screenWidth;
    if (wide >= tall) {  // bars left and right
        layout.pictureHeight = frameHeight;
        layout.pictureWidth = static_cast<int>(
            std::lround(double(frameHeight) * show::screenWidth / show::screenHeight));
    } else {  // bars above and below
        layout.pictureWidth = frameWidth;
        layout.pictureHeight = static_cast<int>(
            std::lround(double(frameWidth) * show::screenHeight / show::screenWidth));
    }
    layout.left = (frameWidth - layout.pictureWidth) / 2;
    layout.top = (frameHeight - layout.pictureHeight) / 2;
    return layout;
}
