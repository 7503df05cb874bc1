// Display mode, pixel format, GL context and buffer swaps on the page's canvas through our GL
// layer on WebGL 2. A swap hands the finished frame to the browser and waits for its next
// animation frame; a page asked to hold a frame (for tests) stops there and keeps showing it.
#include <emscripten/emscripten.h>

#include "ffgl.h"
#include "platform/web/Page.h"
#include "platform/web/WebWindow.h"

namespace platform {
namespace {

constexpr unsigned holdPollMs = 50;

RenderContextData* currentContext = nullptr;
long framesPresented = 0;

// The held frame stays on the canvas while the browser goes on, until the page lets the show
// continue to its next stop.
void holdFrame(long frame) {
    pageFrameHeld(static_cast<int>(frame));
    while (pageHoldFrame() == frame) emscripten_sleep(holdPollMs);
}

}  // namespace

// The page owns full screen: a person enters it with the click that starts the show.
int changeDisplaySettings(int, int, int) {
    return displayChangeSuccessful;
}

void restoreDisplaySettings() {
    pageLeaveFullscreen();
}

int showCursor(bool show) {
    pageShowCursor(show ? 1 : 0);
    return show ? 0 : -1;
}

bool setPixelFormat(DeviceContext deviceContext, int format,
                    const PixelFormatDescriptor* descriptor) {
    return deviceContext != nullptr && descriptor != nullptr && format == 1;
}

RenderContext createContext(DeviceContext deviceContext) {
    if (deviceContext == nullptr || currentContext != nullptr)
        return nullptr;  // one canvas, one context
    // Multisampled where the browser offers it.
    if (!ffglCreateContext(canvasSelector, FfglContextOptions{})) return nullptr;
    currentContext = new RenderContextData{deviceContext->window};
    return currentContext;
}

bool makeCurrent(DeviceContext deviceContext, RenderContext renderContext) {
    // The canvas's context is current from its creation on; there is nothing else to switch to.
    if (renderContext == nullptr) return true;
    return deviceContext != nullptr && renderContext == currentContext;
}

bool deleteContext(RenderContext renderContext) {
    if (renderContext == nullptr || renderContext != currentContext) return false;
    ffglDestroyContext();
    delete currentContext;
    currentContext = nullptr;
    return true;
}

bool swapBuffers(DeviceContext deviceContext) {
    if (deviceContext == nullptr || currentContext == nullptr) return false;
    ffglEndFrame();
    pageFramePresented();
    const long frame = framesPresented++;
    if (frame == pageHoldFrame()) holdFrame(frame);
    pageWaitForFrame();
    return true;
}

bool hasCurrentContext() {
    return currentContext != nullptr;
}

}  // namespace platform
