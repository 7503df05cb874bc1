// Windows and their events on SDL2. Window-system events become the window messages of Window.h;
// messages posted from other threads travel as SDL user events, so any module of the process that
// links SDL can post to a window of ours. SIGINT, SIGTERM, SIGHUP and SIGQUIT become msgQuit;
// SIGPIPE is ignored, so a message written to a closed pipe is only a failed write.
#include <csignal>
#include <cstdio>
#include <cstring>

#include "platform/sdl/SdlWindow.h"

namespace platform {
namespace {

// Posted messages: code = message, data1 = window, data2 = wParam, windowID = lParam (32 bits).
constexpr Uint32 postedMessageEvent = SDL_USEREVENT;

volatile std::sig_atomic_t terminationSignal = 0;

void onTerminationSignal(int signalNumber) {
    terminationSignal = signalNumber;
    // A box waiting for a click would hold the program past the request, however long.
    endShownMessageBox();
}

Window* targetOf(Uint32 sdlWindowId) {
    return windowFromSdlId(sdlWindowId);
}

void queueActivate(Window* window, bool activeNow) {
    std::uintptr_t wParam =
        (activeNow ? waActive : waInactive) | (window->minimised ? activateMinimised : 0);
    queueMessage(window, msgActivate, wParam, 0);
}

void translate(const SDL_Event& event) {
    if (event.type == postedMessageEvent) {
        auto* window = static_cast<Window*>(event.user.data1);
        if (window != nullptr && !isLiveWindow(window)) return;
        queueMessage(window, static_cast<unsigned>(event.user.code),
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
            queueMessage(window, event.type == SDL_KEYDOWN ? msgKeyDown : msgKeyUp, key, 0);
            return;
        }
        case SDL_WINDOWEVENT: {
            Window* window = targetOf(event.window.windowID);
            if (window == nullptr) return;
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    queueMessage(window, msgClose, 0, 0);
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
                    SDL_GL_GetDrawableSize(sdlWindow(window), &width, &height);
                    queueMessage(
                        window, msgSize, 0,
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

}  // namespace

void pumpSystemEvents() {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) translate(event);
}

bool takeTermination(Message* message) {
    if (terminationSignal == 0) return false;
    *message = Message{nullptr, msgQuit, static_cast<std::uintptr_t>(128 + terminationSignal), 0};
    return true;
}

bool terminationRequested() {
    return terminationSignal != 0;
}

int terminationExitCode() {
    return terminationSignal != 0 ? 128 + terminationSignal : 0;
}

void waitForSystemEvents() {
    SDL_WaitEventTimeout(nullptr, 10);
}

void destroySystemWindow(Window* window) {
    if (sdlWindow(window) != nullptr) SDL_DestroyWindow(sdlWindow(window));
}

Window* windowFromSdlId(Uint32 id) {
    SDL_Window* sdl = SDL_GetWindowFromID(id);
    for (const Window* window : liveWindows())
        if (sdl != nullptr && sdlWindow(window) == sdl) return const_cast<Window*>(window);
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
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        sigaction(signalNumber, &action, nullptr);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, nullptr);
    done = true;
    return true;
}

void showWindow(WindowHandle window) {
    if (window == nullptr || sdlWindow(window) == nullptr) return;
    SDL_ShowWindow(sdlWindow(window));
    // The system reports the size a window really got; a full-screen window may not get the mode
    // it asked for, and the viewport must follow what it got.
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(sdlWindow(window), &width, &height);
    if (width > 0 && height > 0)
        queueMessage(window, msgSize, 0,
                     makeLParam(static_cast<unsigned>(width), static_cast<unsigned>(height)));
}

void setForegroundWindow(WindowHandle window) {
    if (window != nullptr && sdlWindow(window) != nullptr) SDL_RaiseWindow(sdlWindow(window));
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

bool displayAvailable() {
    // A driver asked for by name (SDL_VIDEODRIVER, useOffscreenVideo) is taken at its word, even an
    // invisible one; left to choose, SDL falls back to its offscreen driver where it finds no
    // display, and the show would play unseen.
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (asked != nullptr && asked[0] != '\0') return true;
    if (!ensureVideo()) {
        std::fprintf(stderr, "orbek42: SDL found no video driver to use: %s\n", SDL_GetError());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::strcmp(driver, "offscreen") != 0 &&
           std::strcmp(driver, "dummy") != 0;
}

// An SDL window keeps the size it was made with.
bool surfaceSizedBySystem() {
    return false;
}

}  // namespace platform
