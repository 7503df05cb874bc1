// Window classes, live windows and the queue of translated messages, the same on every system
// that keeps them itself. The system's events come in through pumpSystemEvents; what differs
// between systems stays in their own folder.
#include "platform/WindowRegistry.h"

#include <deque>
#include <map>

namespace platform {
namespace {

std::map<std::string, WindowProc> classes;
std::set<const Window*> live;
std::deque<Message> pending;  // translated, not yet removed; main thread only
bool quitPending = false;
int quitCode = 0;

Window* newWindow(const char* className, const char* title) {
    auto* window = new Window;
    window->className = className;
    window->procedure = classes[className];
    window->title = title ? title : "";
    live.insert(window);
    return window;
}

bool takeQuit(Message* message) {
    if (!quitPending) return false;
    quitPending = false;
    *message = Message{nullptr, msgQuit, static_cast<std::uintptr_t>(quitCode), 0};
    return true;
}

}  // namespace

bool isLiveWindow(const Window* window) {
    return live.count(window) != 0;
}

const std::set<const Window*>& liveWindows() {
    return live;
}

void queueMessage(Window* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    pending.push_back(Message{window, message, wParam, lParam});
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
    for (const Window* window : live)
        if (window->className == className)
            return false;  // still in use, as the system refuses too
    return classes.erase(className) == 1;
}

bool adjustWindowRect(WindowRect* rect, bool) {
    // A window here is sized by its client area already: there are no borders to add.
    return rect != nullptr;
}

WindowHandle createWindow(const char* className, const char* title, bool popup, int x, int y,
                          int width, int height, ModuleHandle) {
    if (className == nullptr || classes.count(className) == 0 || width <= 0 || height <= 0)
        return nullptr;
    if (!ensureVideo()) return nullptr;
    Window* window = newWindow(className, title);
    window->popup = popup;
    window->x = x;
    window->y = y;
    window->width = width;
    window->height = height;
    return window;
}

WindowHandle createMessageWindow(const char* className, const char* title, ModuleHandle) {
    if (className == nullptr || classes.count(className) == 0 || !initialise()) return nullptr;
    Window* window = newWindow(className, title);
    window->messageOnly = true;
    return window;
}

bool destroyWindow(WindowHandle window) {
    if (window == nullptr || !isLiveWindow(window)) return false;
    live.erase(window);
    for (auto it = pending.begin(); it != pending.end();)
        it = it->window == window ? pending.erase(it) : it + 1;
    destroySystemWindow(window);
    delete window->deviceContext;
    delete window;
    return true;
}

bool peekMessage(Message* message) {
    if (message == nullptr) return false;
    if (takeTermination(message)) return true;
    pumpSystemEvents();
    if (!pending.empty()) {
        *message = pending.front();
        pending.pop_front();
        return true;
    }
    return takeQuit(message);
}

bool getMessage(Message* message, WindowHandle window) {
    if (message == nullptr) return false;
    for (;;) {
        if (takeTermination(message)) return false;
        pumpSystemEvents();
        for (auto it = pending.begin(); it != pending.end(); ++it) {
            if (window == nullptr || it->window == window) {
                *message = *it;
                pending.erase(it);
                return message->message != msgQuit;
            }
        }
        if (window == nullptr && takeQuit(message)) return false;
        if (window != nullptr && !isLiveWindow(window)) return false;  // nothing can ever arrive
        waitForSystemEvents();
    }
}

void translateMessage(const Message*) {
    // Character messages are not used by anything here.
}

std::intptr_t dispatchMessage(const Message* message) {
    if (message == nullptr || message->window == nullptr || !isLiveWindow(message->window))
        return 0;
    return message->window->procedure(message->window, message->message, message->wParam,
                                      message->lParam);
}

std::intptr_t defWindowProc(WindowHandle, unsigned, std::uintptr_t, std::intptr_t) {
    return 0;
}

void postQuitMessage(int exitCode) {
    quitPending = true;
    quitCode = exitCode;
}

}  // namespace platform
