// The test context: a hidden window of its own class with the program's pixel format.
#include "tests/support/OffscreenGL.h"

#include <algorithm>

#include "platform/GL.h"
#include "platform/Window.h"

namespace testing_support {
namespace {

const char* const className = "OffscreenGLTest";

std::intptr_t testWindowProc(platform::WindowHandle window, unsigned message, std::uintptr_t wParam,
                             std::intptr_t lParam) {
    return platform::defWindowProc(window, message, wParam, lParam);
}

}  // namespace

OffscreenGL::OffscreenGL(int width, int height) : width_(width), height_(height) {
    if (!platform::initialise()) {
        error_ = "platform::initialise failed";
        return;
    }
    platform::registerWindowClass(className, testWindowProc, platform::getModuleHandle());
    window_ = platform::createWindow(className, "test", false, 0, 0, width, height,
                                     platform::getModuleHandle());
    if (window_ == nullptr) {
        error_ = "createWindow failed (no video driver?)";
        return;
    }
    deviceContext_ = platform::getDC(window_);
    platform::PixelFormatDescriptor descriptor{};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags =
        platform::pfdDrawToWindow | platform::pfdSupportOpenGL | platform::pfdDoubleBuffer;
    descriptor.cColorBits = 24;
    descriptor.cDepthBits = 16;
    int format = platform::choosePixelFormat(deviceContext_, &descriptor);
    if (!platform::setPixelFormat(deviceContext_, format, &descriptor)) {
        error_ = "setPixelFormat failed";
        return;
    }
    platform::RenderContext context = platform::createContext(deviceContext_);
    if (context == nullptr || !platform::makeCurrent(deviceContext_, context)) {
        error_ = "no GL context";
        if (context) platform::deleteContext(context);
        return;
    }
    renderContext_ = context;
    glViewport(0, 0, width, height);
}

OffscreenGL::~OffscreenGL() {
    if (renderContext_ != nullptr) {
        platform::makeCurrent(nullptr, nullptr);
        platform::deleteContext(renderContext_);
    }
    if (deviceContext_ != nullptr) platform::releaseDC(window_, deviceContext_);
    if (window_ != nullptr) platform::destroyWindow(window_);
    platform::unregisterWindowClass(className, platform::getModuleHandle());
}

std::vector<unsigned char> OffscreenGL::readPixels() const {
    std::vector<unsigned char> bottomUp(static_cast<std::size_t>(width_) * height_ * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<unsigned char> topDown(bottomUp.size());
    const std::size_t row = static_cast<std::size_t>(width_) * 3;
    for (int y = 0; y < height_; ++y)
        std::copy_n(&bottomUp[(height_ - 1 - y) * row], row, &topDown[y * row]);
    return topDown;
}

void OffscreenGL::swap() const {
    platform::swapBuffers(deviceContext_);
}

int countPixelsNot(const std::vector<unsigned char>& rgb, unsigned char r, unsigned char g,
                   unsigned char b) {
    int count = 0;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        if (rgb[i] != r || rgb[i + 1] != g || rgb[i + 2] != b) ++count;
    return count;
}

}  // namespace testing_support
