// Windows as message targets: classes with a window procedure, a per-process message queue fed by
// the window system and by other threads, and dispatch on the main thread. Message numbers and
// their parameters follow the system's window messages, so window procedures read the same here.
#pragma once

#include <cstdint>

namespace platform {

struct Window;
using WindowHandle = Window*;
using ModuleHandle = void*;
using WindowProc = std::intptr_t (*)(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                     std::intptr_t lParam);

// Message numbers.
constexpr unsigned msgSize = 0x0005;  // lParam: width in the low word, height in the high word
constexpr unsigned msgActivate =
    0x0006;  // low word of wParam: waInactive or waActive; high word: minimised
constexpr unsigned msgClose = 0x0010;
constexpr unsigned msgQuit = 0x0012;        // wParam: exit code
constexpr unsigned msgSysCommand = 0x0112;  // wParam: scScreenSave, scMonitorPower, ...
constexpr unsigned msgKeyDown = 0x0100;     // wParam: virtual-key code (platform/Keys.h)
constexpr unsigned msgKeyUp = 0x0101;
constexpr unsigned msgUser = 0x0400;  // first number free for programs

constexpr unsigned waInactive = 0;
constexpr unsigned waActive = 1;
constexpr std::uintptr_t activateMinimised = 0x10000;  // msgActivate's high word: minimised
constexpr unsigned scScreenSave = 0xF140;
constexpr unsigned scMonitorPower = 0xF170;

inline unsigned loWord(std::uintptr_t v) {
    return static_cast<unsigned>(v & 0xFFFF);
}
inline unsigned hiWord(std::uintptr_t v) {
    return static_cast<unsigned>((v >> 16) & 0xFFFF);
}
inline std::intptr_t makeLParam(unsigned lo, unsigned hi) {
    return static_cast<std::intptr_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16));
}

struct Message {
    WindowHandle window;  // null for a message to the thread (msgQuit)
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

struct WindowRect {
    int left, top, right, bottom;
};

// For tools that run without a display: windows are made offscreen and sound goes nowhere. Call
// before initialise.
void useOffscreenVideo();
void useSilentAudio();

// False when the system has no display to show a window on: no video driver was asked for and
// none but an invisible one (offscreen, dummy) would start. Call after initialise.
bool displayAvailable();

// True where the system sizes the drawing surface to its own layout (a browser page fits the
// canvas to the window) instead of keeping the size the program asked for: msgSize then reports
// whatever shape the system chose, and the shell fits the show's picture into it.
bool surfaceSizedBySystem();

// Prepares the platform layer: call once on the main thread before anything else here.
// Installs the handling of termination requests from outside (SIGINT, SIGTERM, SIGHUP and SIGQUIT;
// a closed console on Windows): each arrives as msgQuit. A write to a pipe nobody reads any more
// fails instead of ending the program.
bool initialise();

// True once a termination was requested from outside; it stays requested. Long work before the
// main loop (unpacking, loading) polls this to stop early.
bool terminationRequested();
// The exit status a termination request asks for (128 + the signal's number on POSIX), or 0.
int terminationExitCode();

ModuleHandle getModuleHandle();

bool registerWindowClass(const char* className, WindowProc procedure, ModuleHandle instance);
bool unregisterWindowClass(const char* className, ModuleHandle instance);

// Grows rect from the client area to the whole window for the given kind of window.
bool adjustWindowRect(WindowRect* rect, bool popup);

// A window of a registered class. popup: a borderless full-screen window; otherwise an overlapped,
// resizable one. The window is created hidden; showWindow shows it. Null on failure.
WindowHandle createWindow(const char* className, const char* title, bool popup, int x, int y,
                          int width, int height, ModuleHandle instance);
// A window that is never shown: a target for posted messages only. Null on failure.
WindowHandle createMessageWindow(const char* className, const char* title, ModuleHandle instance);
bool destroyWindow(WindowHandle window);

void showWindow(WindowHandle window);
void setForegroundWindow(WindowHandle window);
void setFocus(WindowHandle window);
WindowHandle getFocus();

// Removes and returns the next message if there is one; false when the queue is empty.
bool peekMessage(Message* message);
// Waits for the next message for window (or for any window when null) and removes it; other
// messages stay queued in order. False when the message is msgQuit or a termination was requested.
bool getMessage(Message* message, WindowHandle window);
void translateMessage(const Message* message);
std::intptr_t dispatchMessage(const Message* message);
std::intptr_t defWindowProc(WindowHandle window, unsigned message, std::uintptr_t wParam,
                            std::intptr_t lParam);
// Queues a message for window; safe from any thread.
bool postMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                 std::intptr_t lParam);
// Queues msgQuit with the exit code; it is delivered once the queue holds nothing else.
void postQuitMessage(int exitCode);

}  // namespace platform
