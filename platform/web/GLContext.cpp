// Display mode, pixel format, GL context and buffer swaps on the page's canvas through our GL
// layer on WebGL 2. A swap finishes the frame; the browser shows it once the program next gives it
// control (the main loop's wait). A page asked to hold a frame (for tests) stops there and keeps
// showing it, the show clock standing still.
#include <emscripten/emscripten.h>

#include "ffgl.h"
#include "platform/web/Page.h"
#include "platform/web/WebWindow.h"

namespace platform {
namespace {

constexpr double holdPollMs = 50;

RenderContextData* currentContext = nullptr;

}  // namespace

// The page owns full screen: a person enters it with the click that starts the show.
int changeDisplaySettings(int, int, int) {
    return displayChangeSuccessful;
}

// The page decides the canvas's size; there is no desktop to cover.
bool coverDesktop(int*, int*) {
    return false;
}

// The GL layer asks WebGL for a multisampled canvas, which the browser grants where it can.
void requestSamples(int) {}

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
    return true;
}

// The canvas is shown whenever the program gives the browser control.
bool drawingShownBeforeSwap() {
    return true;
}

long frameToHold() {
    return pageHoldFrame();
}

void showFrameDone(long showFrame, bool presented) {
    pageShowFrameDone(static_cast<int>(showFrame), presented ? 1 : 0);
    if (!presented || showFrame != pageHoldFrame()) return;
    pageFrameHeld(static_cast<int>(showFrame), 1);
    while (pageHoldFrame() == showFrame) pageSleep(holdPollMs);
    pageFrameHeld(static_cast<int>(showFrame), 0);
}

bool hasCurrentContext() {
    return currentContext != nullptr;
}

}  // namespace platform
