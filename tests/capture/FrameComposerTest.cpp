// Where the 4:3 picture sits in frames of other shapes, and the box filter that takes supersampled
// pixels down: exact means, rows turned top down, channels reordered, bars left black.
#include <gtest/gtest.h>
#include <vector>

#include "tools/capture/FrameComposer.h"

TEST(FrameComposer, TheFourByThreePictureIsCentredBetweenBars) {
    struct Case {
        int width, height, supersample;
        int pictureWidth, pictureHeight, left, top;
        float pixelScale;
    };
    const Case cases[] = {
        {640, 480, 1, 640, 480, 0, 0, 1.0f},     {3840, 2160, 1, 2880, 2160, 480, 0, 4.5f},
        {1920, 1440, 2, 1920, 1440, 0, 0, 6.0f}, {1920, 1080, 1, 1440, 1080, 240, 0, 2.25f},
        {640, 720, 3, 640, 480, 0, 120, 3.0f},   {1280, 480, 1, 640, 480, 320, 0, 1.0f},
    };
    for (const Case& c : cases) {
        FrameLayout layout = layoutFrame(c.width, c.height, c.supersample);
        EXPECT_EQ(layout.pictureWidth, c.pictureWidth) << c.width << "x" << c.height;
        EXPECT_EQ(layout.pictureHeight, c.pictureHeight) << c.width << "x" << c.height;
        EXPECT_EQ(layout.left, c.left) << c.width << "x" << c.height;
        EXPECT_EQ(layout.top, c.top) << c.width << "x" << c.height;
        EXPECT_EQ(layout.renderWidth(), c.pictureWidth * c.supersample);
        EXPECT_FLOAT_EQ(layout.pixelScale(), c.pixelScale) << c.width << "x" << c.height;
    }
}

TEST(FrameComposer, AveragesEachBlockIntoTheFrameTopDown) {
    // A 2x2 picture rendered 2x2 times over, in a 4x2 frame: one column of bar on each side.
    FrameLayout layout;
    layout.frameWidth = 4;
    layout.frameHeight = 2;
    layout.pictureWidth = 2;
    layout.pictureHeight = 2;
    layout.left = 1;
    layout.supersample = 2;
    // BGRA rows, bottom row first: 4 rendered rows of 4 pixels. The bottom-left block is blue at
    // 0, 1, 2, 3 (mean 1.5, rounds to 2); the bottom-right block red 255 in one pixel of four
    // (63.75 -> 64); the top blocks are green 10 and 200 throughout.
    std::vector<unsigned char> rendered(4 * 4 * 4, 0);
    auto pixel = [&](int x, int y) { return &rendered[(y * 4 + x) * 4]; };
    pixel(0, 0)[0] = 0, pixel(1, 0)[0] = 1, pixel(0, 1)[0] = 2, pixel(1, 1)[0] = 3;
    pixel(3, 1)[2] = 255;
    for (int y = 2; y < 4; ++y)
        for (int x = 0; x < 4; ++x) pixel(x, y)[1] = x < 2 ? 10 : 200;

    FrameComposer composer(layout);
    std::vector<unsigned char> frame(4 * 2 * 3, 99);  // stale contents must not survive
    composer.compose(rendered.data(), &frame);
    const std::vector<unsigned char> expected = {
        0, 0, 0, 0, 10, 0, 0,  200, 0, 0, 0, 0,  // top row: bar, green 10, green 200, bar
        0, 0, 0, 0, 0,  2, 64, 0,   0, 0, 0, 0,  // bottom row: bar, blue 2, red 64, bar
    };
    EXPECT_EQ(frame, expected);
}
