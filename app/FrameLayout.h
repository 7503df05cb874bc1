// Where the show's 4:3 picture sits in a frame of any size, window or video: the largest picture
// that fits, centred between black bars, and how much larger than the show's own 640x480 its
// pixels make whatever is sized in pixels.
#pragma once

struct FrameLayout {
    int frameWidth = 0, frameHeight = 0;      // the whole frame
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
