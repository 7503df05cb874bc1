// A framebuffer of any size the driver allows, in the current GL context, drawn into instead of
// the window: 8-bit colour and a depth buffer. The capture tool renders its frames here, so its
// picture need not fit a window or a display. Only the SDL build has one.
#pragma once

#include <string>

namespace platform {

class OffscreenFramebuffer {
public:
    OffscreenFramebuffer() = default;
    ~OffscreenFramebuffer();
    OffscreenFramebuffer(const OffscreenFramebuffer&) = delete;
    OffscreenFramebuffer& operator=(const OffscreenFramebuffer&) = delete;

    // Makes the framebuffer with samples per pixel (1 for plain pixels) and a depth buffer of
    // depthBits (16 or 24) in the current context and draws into it from now on. False with a
    // message in error when the driver cannot.
    bool create(int width, int height, int samples, int depthBits, std::string* error);
    // Draws into this framebuffer (true) or the window's own (false).
    void bind(bool ours);
    // The whole picture as 4-byte BGRA pixels, bottom row first, into width() * height() * 4 bytes;
    // several samples a pixel are averaged first.
    void readPixels(unsigned char* bgra);

    int width() const { return framebufferWidth; }
    int height() const { return framebufferHeight; }

private:
    void release();

    int framebufferWidth = 0, framebufferHeight = 0;
    unsigned framebuffer = 0, colour = 0, depth = 0;
    unsigned resolved = 0, resolvedColour = 0;  // with several samples: where they are averaged
};

}  // namespace platform
