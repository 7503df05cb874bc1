// Windows, window classes and the message queue on SDL2. Window-system events become the window
// messages of Window.h; messages posted from other threads travel as SDL user events, so any module
// of the process that links SDL can post to a window of ours. SIGINT and SIGTERM become msgQuit.
#include <csignal>
#include <deque>
#include <map>
#include <set>

#include "platform/sdl/SdlWindow.h"

namespace platform {
namespace {

// Posted messages: code = message, data1 = window, data2 = wParam, windowID = lParam (32 bits).
constexpr Uint32 postedMessageEvent = SDL_USEREVENT;

volatile std::sig_atomic_t terminationSignal = 0;

std::map<std::string, WindowProc> classes;
std::set<const Window*> liveWindows;
std::deque<Message> pending;  // translated, not yet removed; main thread only
bool quitPending = false;
int quitCode = 0;

void onTerminationSignal(int signalNumber) {
    terminationSignal = signalNumber;
}

Window* targetOf(Uint32 sdlWindowId) {
    return windowFromSdlId(sdlWindowId);
}

void queue(Window* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    pending.push_back(Message{window, message, wParam, lParam});
}

void queueActivate(Window* window, bool activeNow) {
    std::uintptr_t wParam =
        (activeNow ? waActive : waInactive) | (window->minimised ? 0x10000u : 0u);
    queue(window, msgActivate, wParam, 0);
}

void translate(const SDL_Event& event) {
    if (event.type == postedMessageEvent) {
        auto* window = static_cast<Window*>(event.user.data1);
        if (window != nullptr && !isLiveWindow(window)) return;
        queue(window, static_cast<unsigned>(event.user.code),
              reinterpret_cast<std::uintptr_t>(event.user.data2),
              static_cast<std::intptr_t>(static_cast<std::int32_t>(event.user.windowID)));
        return;
    }
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            Window* window = targetOf(event.key.windowID);
            unsigned key = virtualKeyFromSdl(event.key.keysym.sym);
            if (window == nullptr || key == 0) return;
            queue(window, event.type == SDL_KEYDOWN ? msgKeyDown : msgKeyUp, key, 0);
            return;
        }
        case SDL_WINDOWEVENT: {
            Window* window = targetOf(event.window.windowID);
            if (window == nullptr) return;
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    queue(window, msgClose, 0, 0);
                    return;
                case SDL_WINDOWEVENT_MINIMIZED:
                    window->minimised = true;
                    queueActivate(window, false);
                    return;
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_MAXIMIZED:
                    window->minimised = false;
                    queueActivate(window, true);
                    return;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    queueActivate(window, true);
                    return;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    queueActivate(window, false);
                    return;
                case SDL_WINDOWEVENT_SIZE_CHANGED: {
                    int width = 0, height = 0;
                    SDL_GL_GetDrawableSize(window->sdl, &width, &height);
                    queue(window, msgSize, 0,
                          makeLParam(static_cast<unsigned>(width), static_cast<unsigned>(height)));
                    return;
                }
                default:
                    return;
            }
        }
        default:
            return;  // SDL_QUIT follows a window's close, which we already report
    }
}

void pumpEvents() {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) translate(event);
}

// A termination request stays in force: every later read of the queue sees msgQuit again, so no
// wait anywhere can outlast it.
bool takeTermination(Message* message) {
    if (terminationSignal == 0) return false;
    *message = Message{nullptr, msgQuit, static_cast<std::uintptr_t>(128 + terminationSignal), 0};
    return true;
}

}  // namespace

bool isLiveWindow(const Window* window) {
    return liveWindows.count(window) != 0;
}

Window* windowFromSdlId(Uint32 id) {
    SDL_Window* sdl = SDL_GetWindowFromID(id);
    for (const Window* window : liveWindows)
        if (window->sdl != nullptr && window->sdl == sdl) return const_cast<Window*>(window);
    return nullptr;
}

void useOffscreenVideo() {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
}

void useSilentAudio() {
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
}

bool ensureVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return true;
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

bool initialise() {
    static bool done = false;
    if (done) return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    if (SDL_Init(SDL_INIT_EVENTS) != 0) return false;
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
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
        if (window->className == className)
            return false;  // still in use, as the system refuses too
    return classes.erase(className) == 1;
}

bool adjustWindowRect(WindowRect* rect, bool) {
    // SDL sizes windows by their client area already: nothing to add for borders.
    return rect != nullptr;
}

WindowHandle createWindow(const char* className, const char* title, bool popup, int x, int y,
                          int width, int height, ModuleHandle) {
    if (className == nullptr || classes.count(className) == 0 || width <= 0 || height <= 0)
        return nullptr;
    if (!ensureVideo()) return nullptr;
    auto* window = new Window;
    window->className = className;
    window->procedure = classes[className];
    window->title = title ? title : "";
    window->popup = popup;
    window->x = x;
    window->y = y;
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
    if (window->sdl != nullptr) SDL_DestroyWindow(window->sdl);
    delete window->deviceContext;
    delete window;
    return true;
}

void showWindow(WindowHandle window) {
    if (window == nullptr || window->sdl == nullptr) return;
    SDL_ShowWindow(window->sdl);
    // The system reports the size a window really got; a full-screen window may not get the mode
    // it asked for, and the viewport must follow what it got.
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window->sdl, &width, &height);
    if (width > 0 && height > 0)
        queue(window, msgSize, 0,
              makeLParam(static_cast<unsigned>(width), static_cast<unsigned>(height)));
}

void setForegroundWindow(WindowHandle window) {
    if (window != nullptr && window->sdl != nullptr) SDL_RaiseWindow(window->sdl);
}

void setFocus(WindowHandle window) {
    setForegroundWindow(window);
}

WindowHandle getFocus() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return nullptr;
    SDL_Window* focused = SDL_GetKeyboardFocus();
    if (focused == nullptr) return nullptr;
    return windowFromSdlId(SDL_GetWindowID(focused));
}

bool peekMessage(Message* message) {
    if (message == nullptr) return false;
    if (takeTermination(message)) return true;
    pumpEvents();
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
        if (takeTermination(message)) return false;
        pumpEvents();
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
        SDL_WaitEventTimeout(nullptr, 10);
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

bool postMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                 std::intptr_t lParam) {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return false;
    SDL_Event event{};
    event.type = postedMessageEvent;
    event.user.code = static_cast<Sint32>(message);
    event.user.data1 = window;
    event.user.data2 = reinterpret_cast<void*>(wParam);
    event.user.windowID = static_cast<Uint32>(lParam);
    return SDL_PushEvent(&event) == 1;
}

void postQuitMessage(int exitCode) {
    quitPending = true;
    quitCode = exitCode;
}

}  // namespace platform
