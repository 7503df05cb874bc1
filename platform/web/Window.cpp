// Windows and their events in a browser page. Keyboard and visibility events from the page arrive
// through emscripten's html5.h callbacks, which run while the program waits in getMessage or
// swapBuffers; the browser's key codes already carry the virtual-key numbering.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "platform/web/Page.h"
#include "platform/web/WebWindow.h"

namespace platform {
namespace {

// How long a wait for a message hands the browser before looking again.
constexpr unsigned waitSliceMs = 10;

Window* shownWindow = nullptr;  // the one that gets keys and visibility changes

EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent* event, void*) {
    if (shownWindow == nullptr || event->keyCode == 0 || event->keyCode > 255) return EM_FALSE;
    queueMessage(shownWindow, eventType == EMSCRIPTEN_EVENT_KEYDOWN ? msgKeyDown : msgKeyUp,
                 static_cast<std::uintptr_t>(event->keyCode), 0);
    return EM_TRUE;  // the page has no other use for keys
}

// A hidden tab is the browser's way of minimising the window.
EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    if (shownWindow == nullptr) return EM_FALSE;
    const std::uintptr_t minimised = event->hidden ? activateMinimised : 0;
    queueMessage(shownWindow, msgActivate, (event->hidden ? waInactive : waActive) | minimised, 0);
    return EM_FALSE;
}

}  // namespace

// The page's callbacks queue their messages as they run: there is nothing to collect.
void pumpSystemEvents() {}

// Everything that could post runs in the browser's event loop: hand it control.
void waitForSystemEvents() {
    emscripten_sleep(waitSliceMs);
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
    }
    done = true;
    return true;
}

void showWindow(WindowHandle window) {
    if (window == nullptr || !isLiveWindow(window) || window->messageOnly) return;
    shownWindow = window;
    // The canvas keeps the window's size; the page scales it to fit.
    emscripten_set_canvas_element_size(canvasSelector, window->width, window->height);
    queueMessage(
        window, msgSize, 0,
        makeLParam(static_cast<unsigned>(window->width), static_cast<unsigned>(window->height)));
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
