// Windows, window classes and the message queue in a browser page. Keyboard and visibility events
// from the page arrive through emscripten's html5.h callbacks, which run while the program waits
// in getMessage or swapBuffers; the browser's key codes already carry the virtual-key numbering.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <deque>
#include <map>
#include <set>

#include "platform/web/Page.h"
#include "platform/web/WebWindow.h"

namespace platform {
namespace {

// How long a wait for a message hands the browser before looking again.
constexpr unsigned waitSliceMs = 10;

std::map<std::string, WindowProc> classes;
std::set<const Window*> liveWindows;
std::deque<Message> pending;
Window* shownWindow = nullptr;  // the one that gets keys and visibility changes
bool quitPending = false;
int quitCode = 0;

EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent* event, void*) {
    if (shownWindow == nullptr || event->keyCode == 0 || event->keyCode > 255) return EM_FALSE;
    queueMessage(shownWindow, eventType == EMSCRIPTEN_EVENT_KEYDOWN ? msgKeyDown : msgKeyUp,
                 static_cast<std::uintptr_t>(event->keyCode), 0);
    return EM_TRUE;  // the page has no other use for keys
}

// A hidden tab is the browser's way of minimising the window.
EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    if (shownWindow == nullptr) return EM_FALSE;
    const std::uintptr_t minimised = event->hidden ? 0x10000u : 0u;
    queueMessage(shownWindow, msgActivate, (event->hidden ? waInactive : waActive) | minimised, 0);
    return EM_FALSE;
}

}  // namespace

bool isLiveWindow(const Window* window) {
    return liveWindows.count(window) != 0;
}

void queueMessage(Window* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    pending.push_back(Message{window, message, wParam, lParam});
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

ModuleHandle getModuleHandle() {
    static int module;
    return &module;
}

bool registerWindowClass(const char* className, WindowProc procedure, ModuleHandle) {
    if (className == nullptr || procedure == nullptr || !initialise()) return false;
    return classes.emplace(className, procedure).second;
}

bool unregisterWindowClass(const char* className, ModuleHandle) {
    if (className == nullptr) return false;
    for (const Window* window : liveWindows)
        if (window->className == className) return false;
    return classes.erase(className) == 1;
}

bool adjustWindowRect(WindowRect* rect, bool) {
    // The canvas is the client area: a page has no borders to add.
    return rect != nullptr;
}

WindowHandle createWindow(const char* className, const char* title, bool, int, int, int width,
                          int height, ModuleHandle) {
    if (className == nullptr || classes.count(className) == 0 || width <= 0 || height <= 0)
        return nullptr;
    auto* window = new Window;
    window->className = className;
    window->procedure = classes[className];
    window->title = title ? title : "";
    window->width = width;
    window->height = height;
    liveWindows.insert(window);
    return window;
}

WindowHandle createMessageWindow(const char* className, const char* title, ModuleHandle) {
    if (className == nullptr || classes.count(className) == 0 || !initialise()) return nullptr;
    auto* window = new Window;
    window->className = className;
    window->procedure = classes[className];
    window->title = title ? title : "";
    window->messageOnly = true;
    liveWindows.insert(window);
    return window;
}

bool destroyWindow(WindowHandle window) {
    if (window == nullptr || !isLiveWindow(window)) return false;
    liveWindows.erase(window);
    for (auto it = pending.begin(); it != pending.end();)
        it = it->window == window ? pending.erase(it) : it + 1;
    if (shownWindow == window) shownWindow = nullptr;
    delete window->deviceContext;
    delete window;
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

bool peekMessage(Message* message) {
    if (message == nullptr) return false;
    if (!pending.empty()) {
        *message = pending.front();
        pending.pop_front();
        return true;
    }
    if (quitPending) {
        quitPending = false;
        *message = Message{nullptr, msgQuit, static_cast<std::uintptr_t>(quitCode), 0};
        return true;
    }
    return false;
}

bool getMessage(Message* message, WindowHandle window) {
    if (message == nullptr) return false;
    for (;;) {
        for (auto it = pending.begin(); it != pending.end(); ++it) {
            if (window == nullptr || it->window == window) {
                *message = *it;
                pending.erase(it);
                return message->message != msgQuit;
            }
        }
        if (window == nullptr && quitPending) {
            quitPending = false;
            *message = Message{nullptr, msgQuit, static_cast<std::uintptr_t>(quitCode), 0};
            return false;
        }
        if (window != nullptr && !isLiveWindow(window)) return false;  // nothing can ever arrive
        // Everything that could post runs in the browser's event loop: hand it control.
        emscripten_sleep(waitSliceMs);
    }
}

void translateMessage(const Message*) {}

std::intptr_t dispatchMessage(const Message* message) {
    if (message == nullptr || message->window == nullptr || !isLiveWindow(message->window))
        return 0;
    return message->window->procedure(message->window, message->message, message->wParam,
                                      message->lParam);
}

std::intptr_t defWindowProc(WindowHandle, unsigned, std::uintptr_t, std::intptr_t) {
    return 0;
}

bool postMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                 std::intptr_t lParam) {
    if (window != nullptr && !isLiveWindow(window)) return false;
    queueMessage(window, message, wParam, lParam);
    return true;
}

void postQuitMessage(int exitCode) {
    quitPending = true;
    quitCode = exitCode;
}

}  // namespace platform
