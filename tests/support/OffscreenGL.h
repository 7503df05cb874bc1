// A GL context for tests, made through the platform layer exactly as the program makes its own,
// on whatever video driver the environment names (the tests use SDL's offscreen driver on Mesa).
#pragma once

#include <string>
#include <vector>

#include "platform/GLContext.h"
#include "tools/png/SavePng.h"

namespace testing_support {

class OffscreenGL {
public:
    OffscreenGL(int width = 640, int height = 480);
    ~OffscreenGL();
    OffscreenGL(const OffscreenGL&) = delete;
    OffscreenGL& operator=(const OffscreenGL&) = delete;

    bool ready() const { return renderContext_ != nullptr; }
    const std::string& error() const { return error_; }
    int width() const { return width_; }
    int height() const { return height_; }
    platform::DeviceContext deviceContext() const { return deviceContext_; }

    // The back buffer as RGB rows, top row first.
    std::vector<unsigned char> readPixels() const;
    void swap() const;

private:
    int width_, height_;
    std::string error_;
    platform::WindowHandle window_ = nullptr;
    platform::DeviceContext deviceContext_ = nullptr;
    platform::RenderContext renderContext_ = nullptr;
};

// Pixels that differ from the given background colour.
int countPixelsNot(const std::vector<unsigned char>& rgb, unsigned char r, unsigned char g,
                   unsigned char b);

}  // namespace testing_support
