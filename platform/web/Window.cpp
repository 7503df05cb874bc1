// Windows and their events in a browser page. Keyboard and visibility events from the page arrive
// through emscripten's html5.h callbacks, which run while the program waits in getMessage or
// swapBuffers; the browser's key codes already carry the virtual-key numbering. The canvas's
// drawing buffer follows its displayed size in device pixels, so the picture is as sharp as the
// screen: each change reaches the shown window as msgSize.
#include <algorithm>

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "platform/GL.h"
#include "platform/GLContext.h"
#include "platform/web/Page.h"
#include "platform/web/WebWindow.h"

namespace platform {
namespace {

// How long a wait for a message hands the browser before looking again.
constexpr unsigned waitSliceMs = 10;
// The largest drawing buffer, a 2560x1920 picture: on a larger display the browser scales the
// canvas up a little rather than have the software renderers draw every pixel of a 4K screen.
constexpr int largestBufferWidth = 2560;
constexpr int largestBufferHeight = 1920;

Window* shownWindow = nullptr;        // the one that gets keys, visibility changes and sizes
int shownWidth = 0, shownHeight = 0;  // the canvas's displayed size its buffer was made for

// The drawing buffer for a canvas shown width x height device pixels: that size, scaled down
// with its shape kept where it passes the largest buffer or the GL viewport's limit.
void fitBuffer(int* width, int* height) {
    int largestWidth = largestBufferWidth, largestHeight = largestBufferHeight;
    if (hasCurrentContext()) {
        GLint limit[2] = {0, 0};
        glGetIntegerv(GL_MAX_VIEWPORT_DIMS, limit);
        if (limit[0] > 0 && limit[0] < largestWidth) largestWidth = limit[0];
        if (limit[1] > 0 && limit[1] < largestHeight) largestHeight = limit[1];
    }
    const double scale =
        std::min({1.0, double(largestWidth) / *width, double(largestHeight) / *height});
    if (scale < 1.0) {
        *width = std::max(1, static_cast<int>(*width * scale));
        *height = std::max(1, static_cast<int>(*height * scale));
    }
}

// Gives the canvas the drawing buffer its displayed size asks for and tells the window, when
// that differs from the one it has (always, the first time).
void followCanvas(Window* window) {
    int width = window->width, height = window->height;
    if (pageExists() && !pageCanvasPixels(&width, &height)) return;
    if (width == shownWidth && height == shownHeight) return;
    shownWidth = width;
    shownHeight = height;
    fitBuffer(&width, &height);
    emscripten_set_canvas_element_size(canvasSelector, width, height);
    queueMessage(window, msgSize, 0,
                 makeLParam(static_cast<unsigned>(width), static_cast<unsigned>(height)));
}

EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent* event, void*) {
    if (shownWindow == nullptr || event->keyCode == 0 || event->keyCode > 255) return EM_FALSE;
    queueMessage(shownWindow, eventType == EMSCRIPTEN_EVENT_KEYDOWN ? msgKeyDown : msgKeyUp,
                 static_cast<std::uintptr_t>(event->keyCode), 0);
    return EM_TRUE;  // the page has no other use for keys
}

// A hidden tab is the browser's way of minimising the window; unlike a minimised window, it pauses
// the music and the show clock with the picture, so all three go on together.
EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    pageVisibilityChanged(event->hidden ? 1 : 0);
    if (shownWindow == nullptr) return EM_FALSE;
    const std::uintptr_t minimised = event->hidden ? activateMinimised : 0;
    queueMessage(shownWindow, msgActivate, (event->hidden ? waInactive : waActive) | minimised, 0);
    return EM_FALSE;
}

}  // namespace

// The page's callbacks queue their messages as they run; the canvas's size is looked at here.
void pumpSystemEvents() {
    if (shownWindow != nullptr) followCanvas(shownWindow);
}

// Everything that could post runs in the browser's event loop: hand it control.
void waitForSystemEvents() {
    emscripten_sleep(waitSliceMs);
}

// The page lays the canvas out; its drawing buffer follows.
bool surfaceSizedBySystem() {
    return true;
}

// A page is closed, never asked to stop.
bool takeTermination(Message*) {
    return false;
}

bool terminationRequested() {
    return false;
}

int terminationExitCode() {
    return 0;
}

// The canvas is always there.
bool ensureVideo() {
    return true;
}

void destroySystemWindow(Window* window) {
    if (shownWindow == window) shownWindow = nullptr;
}

bool displayAvailable() {
    return true;
}

void useOffscreenVideo() {}

void useSilentAudio() {}

bool initialise() {
    static bool done = false;
    if (done) return true;
    if (pageExists()) {
        const char* target = EMSCRIPTEN_EVENT_TARGET_WINDOW;
        emscripten_set_keydown_callback(target, nullptr, EM_TRUE, onKey);
        emscripten_set_keyup_callback(target, nullptr, EM_TRUE, onKey);
        emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, onVisibility);
        pageWatchCanvas();
    }
    done = true;
    return true;
}

void showWindow(WindowHandle window) {
    if (window == nullptr || !isLiveWindow(window) || window->messageOnly) return;
    shownWindow = window;
    shownWidth = shownHeight = 0;
    followCanvas(window);
}

void setForegroundWindow(WindowHandle) {}

void setFocus(WindowHandle window) {
    if (window != nullptr && isLiveWindow(window) && !window->messageOnly) shownWindow = window;
}

WindowHandle getFocus() {
    return shownWindow;
}

bool postMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                 std::intptr_t lParam) {
    if (window != nullptr && !isLiveWindow(window)) return false;
    queueMessage(window, message, wParam, lParam);
    return true;
}

}  // namespace platform
