// Windows, window classes and the message queue on Win32: the system's own calls, one for one.
// Window procedures are registered through one system procedure that finds the program's procedure
// by the window's class, so the program's procedures keep the platform signature on every ABI.
// Classes are registered and windows made on the main thread only; other threads only post.
#include "platform/win32/Win32Handles.h"

namespace platform {

namespace {

constexpr int maxClasses = 16;
constexpr UINT classStyle = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
constexpr DWORD popupStyle = WS_POPUP;
constexpr DWORD popupExtendedStyle = WS_EX_APPWINDOW;
constexpr DWORD overlappedStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD overlappedExtendedStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
constexpr int messageWindowWidth = 640;
constexpr int messageWindowHeight = 480;
constexpr WPARAM interruptedExitCode = 130;
constexpr DWORD closeGraceMs = 10000;

struct ClassProcedure {
    ATOM atom;
    WindowProc procedure;
};

// Globals

ClassProcedure classProcedures[maxClasses];
int classCount = 0;
DWORD mainThreadId = 0;
volatile LONG terminationAsked = 0;

WindowProc procedureOf(HWND window) {
    const ATOM atom = static_cast<ATOM>(GetClassWord(window, GCW_ATOM));
    for (int i = 0; i < classCount; ++i)
        if (classProcedures[i].atom == atom) return classProcedures[i].procedure;
    return nullptr;
}

LRESULT CALLBACK classWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowProc procedure = procedureOf(window);
    if (procedure == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return procedure(fromHwnd(window), message, wParam, lParam);
}

// Ctrl+C or a closed console ends the run through the main loop, like a close request.
BOOL WINAPI onConsoleControl(DWORD event) {
    InterlockedExchange(&terminationAsked, 1);
    PostThreadMessageA(mainThreadId, WM_QUIT, interruptedExitCode, 0);
    // After a closed console, a log-off or a shut-down the system ends the process as soon as this
    // returns; waiting here lets the main thread clean up and end it first (the system waits a few
    // seconds at most).
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        Sleep(closeGraceMs);
    return TRUE;
}

MSG toMsg(const Message* message) {
    MSG msg{};
    msg.hwnd = toHwnd(message->window);
    msg.message = message->message;
    msg.wParam = message->wParam;
    msg.lParam = message->lParam;
    msg.time = static_cast<DWORD>(GetMessageTime());
    const DWORD position = GetMessagePos();
    msg.pt.x = static_cast<short>(LOWORD(position));
    msg.pt.y = static_cast<short>(HIWORD(position));
    return msg;
}

Message fromMsg(const MSG& msg) {
    return Message{fromHwnd(msg.hwnd), msg.message, msg.wParam, msg.lParam};
}

}  // namespace

void useOffscreenVideo() {
    // The system has no offscreen display; tools that ask for one get ordinary windows.
}

void useSilentAudio() {
    // The decoder library picks the device; nothing to choose here.
}

bool displayAvailable() {
    // A Windows session always has a desktop to show windows on.
    return true;
}

// A window keeps the size it was made with.
bool surfaceSizedBySystem() {
    return false;
}

bool initialise() {
    static bool done = false;
    if (done) return true;
    mainThreadId = GetCurrentThreadId();
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
    done = true;
    return true;
}

bool terminationRequested() {
    return InterlockedCompareExchange(&terminationAsked, 0, 0) != 0;
}

int terminationExitCode() {
    return terminationRequested() ? static_cast<int>(interruptedExitCode) : 0;
}

ModuleHandle getModuleHandle() {
    return GetModuleHandleA(nullptr);
}

bool registerWindowClass(const char* className, WindowProc procedure, ModuleHandle instance) {
    if (className == nullptr || procedure == nullptr || classCount == maxClasses) return false;
    WNDCLASSA windowClass{};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = classWindowProc;
    windowClass.hInstance = static_cast<HINSTANCE>(instance);
    windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_EXCLAMATION));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = className;
    const ATOM atom = RegisterClassA(&windowClass);
    if (atom == 0) return false;
    classProcedures[classCount++] = ClassProcedure{atom, procedure};
    return true;
}

bool unregisterWindowClass(const char* className, ModuleHandle instance) {
    if (className == nullptr) return false;
    WNDCLASSA windowClass{};
    const ATOM atom =
        static_cast<ATOM>(GetClassInfoA(static_cast<HINSTANCE>(instance), className, &windowClass));
    if (!UnregisterClassA(className, static_cast<HINSTANCE>(instance))) return false;
    for (int i = 0; i < classCount; ++i) {
        if (classProcedures[i].atom == atom) {
            classProcedures[i] = classProcedures[--classCount];
            break;
        }
    }
    return true;
}

bool adjustWindowRect(WindowRect* rect, bool popup) {
    if (rect == nullptr) return false;
    RECT system{rect->left, rect->top, rect->right, rect->bottom};
    if (!AdjustWindowRectEx(&system, popup ? popupStyle : overlappedStyle, FALSE,
                            popup ? popupExtendedStyle : overlappedExtendedStyle))
        return false;
    *rect = WindowRect{system.left, system.top, system.right, system.bottom};
    return true;
}

WindowHandle createWindow(const char* className, const char* title, bool popup, int x, int y,
                          int width, int height, ModuleHandle instance) {
    if (className == nullptr) return nullptr;
    const DWORD style = (popup ? popupStyle : overlappedStyle) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return fromHwnd(CreateWindowExA(popup ? popupExtendedStyle : overlappedExtendedStyle, className,
                                    title ? title : "", style, x, y, width, height, nullptr,
                                    nullptr, static_cast<HINSTANCE>(instance), nullptr));
}

WindowHandle createMessageWindow(const char* className, const char* title, ModuleHandle instance) {
    // An ordinary overlapped window of the usual size that is simply never shown.
    WindowRect rect{0, 0, messageWindowWidth, messageWindowHeight};
    adjustWindowRect(&rect, false);
    return createWindow(className, title, false, 0, 0, rect.right - rect.left,
                        rect.bottom - rect.top, instance);
}

bool destroyWindow(WindowHandle window) {
    return window != nullptr && DestroyWindow(toHwnd(window));
}

void showWindow(WindowHandle window) {
    if (window != nullptr) ShowWindow(toHwnd(window), SW_SHOW);
}

void setForegroundWindow(WindowHandle window) {
    if (window != nullptr) SetForegroundWindow(toHwnd(window));
}

void setFocus(WindowHandle window) {
    if (window != nullptr) SetFocus(toHwnd(window));
}

WindowHandle getFocus() {
    return fromHwnd(GetFocus());
}

bool peekMessage(Message* message) {
    if (message == nullptr) return false;
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    *message = fromMsg(msg);
    return true;
}

bool getMessage(Message* message, WindowHandle window) {
    if (message == nullptr) return false;
    MSG msg{};
    const BOOL result = GetMessageA(&msg, toHwnd(window), 0, 0);
    if (result == -1) {  // a window that is gone: nothing can ever arrive for it
        *message = Message{window, 0, 0, 0};
        return false;
    }
    *message = fromMsg(msg);
    return result != 0;
}

void translateMessage(const Message* message) {
    if (message == nullptr) return;
    const MSG msg = toMsg(message);
    TranslateMessage(&msg);
}

std::intptr_t dispatchMessage(const Message* message) {
    if (message == nullptr) return 0;
    const MSG msg = toMsg(message);
    return DispatchMessageA(&msg);
}

std::intptr_t defWindowProc(WindowHandle window, unsigned message, std::uintptr_t wParam,
                            std::intptr_t lParam) {
    return DefWindowProcA(toHwnd(window), message, wParam, lParam);
}

bool postMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                 std::intptr_t lParam) {
    return PostMessageA(toHwnd(window), message, wParam, lParam) != 0;
}

void postQuitMessage(int exitCode) {
    PostQuitMessage(exitCode);
}

}  // namespace platform
