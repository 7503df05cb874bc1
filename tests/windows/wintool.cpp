// Smoke-test helper for the Windows build, run beside orbek42.exe in the same desktop:
//   wintool wait TEXT SECONDS   waits until a visible top-level window whose title holds TEXT
//   exists wintool close TEXT          posts WM_CLOSE to it, as a close button would wintool
//   dialogs             lists open message boxes; exit 1 when there is one wintool play MP3 SECONDS
//   plays a file through mp3.dll as the demo does, stops it after
//                               SECONDS and prints what the library reported
// Exit status 0 on success, 1 when the window is not there (or a box is, or playback failed),
// 2 on a usage error.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "music/libmp3/mp3.h"

namespace {

struct Reports {
    int positions = 0;
    WPARAM lastPosition = 0;
    bool ended = false;
};
Reports reports;

struct Search {
    const char* text;
    bool dialogs;  // looking for message boxes rather than a title
    HWND found;
    int count;
};

BOOL CALLBACK visit(HWND window, LPARAM raw) {
    auto* search = reinterpret_cast<Search*>(raw);
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    if (search->dialogs) {
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        if (std::strcmp(className, "#32770") == 0 && IsWindowVisible(window)) {
            std::printf("message box: \"%s\"\n", title);
            ++search->count;
        }
        return TRUE;
    }
    if (IsWindowVisible(window) && std::strstr(title, search->text) != nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findWindow(const char* text) {
    Search search{text, false, nullptr, 0};
    EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LRESULT CALLBACK reportWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == mp3Position) {
        ++reports.positions;
        reports.lastPosition = wParam;
        return 1;
    }
    if (message == mp3Ended) {
        reports.ended = true;
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

DWORD WINAPI playThread(LPVOID params) {
    HMODULE library = GetModuleHandleA("mp3.dll");
    auto play =
        reinterpret_cast<Mp3PlayEntry>(reinterpret_cast<void*>(GetProcAddress(library, "mp3play")));
    return play(params);
}

// Pumps messages until the deadline or until done() holds.
template <typename Done>
void pumpUntil(DWORD milliseconds, Done done) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(5);
    }
}

int play(const char* path, int seconds) {
    HMODULE library = LoadLibraryA("mp3.dll");
    if (library == nullptr) {
        std::printf("mp3.dll cannot be loaded\n");
        return 1;
    }
    auto stop =
        reinterpret_cast<Mp3StopEntry>(reinterpret_cast<void*>(GetProcAddress(library, "mp3stop")));
    auto getTime = reinterpret_cast<Mp3GetTimeEntry>(
        reinterpret_cast<void*>(GetProcAddress(library, "mp3gettime")));
    if (stop == nullptr || getTime == nullptr || GetProcAddress(library, "mp3play") == nullptr ||
        GetProcAddress(library, "mp3seek") == nullptr) {
        std::printf("an entry point is missing\n");
        return 1;
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = reportWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "WINTOOLREPORTS";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "WINTOOLREPORTS", "reports", 0, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    if (window == nullptr) {
        std::printf("no window for the reports\n");
        return 1;
    }
    PlayParams params{path, 0, reinterpret_cast<platform::WindowHandle>(window), 0};
    TrackInfo info{};
    double length = 0.0;
    getTime(&params, &info, &length);
    std::printf("track: %u Hz, %u channels, %.1f s\n", info.sampleRate, info.channels, length);

    HANDLE thread = CreateThread(nullptr, 0, playThread, &params, 0, nullptr);
    pumpUntil(static_cast<DWORD>(seconds) * 1000, [] { return reports.ended; });
    const DWORD stopAt = GetTickCount();
    stop();
    pumpUntil(2000, [] { return reports.ended; });
    const DWORD stopTook = GetTickCount() - stopAt;
    WaitForSingleObject(thread, 2000);
    DWORD threadResult = 1;
    GetExitCodeThread(thread, &threadResult);
    std::printf(
        "reports: %d positions, last at %u ms; ended %s (%lu ms after the stop); mp3play returned "
        "%lu\n",
        reports.positions, static_cast<unsigned>(reports.lastPosition),
        reports.ended ? "yes" : "no", static_cast<unsigned long>(stopTook),
        static_cast<unsigned long>(threadResult));
    return reports.ended && reports.positions > 0 && threadResult == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "play") == 0) return play(argv[2], std::atoi(argv[3]));
    if (argc == 4 && std::strcmp(argv[1], "wait") == 0) {
        const DWORD limit = static_cast<DWORD>(std::atoi(argv[3])) * 1000;
        const DWORD start = GetTickCount();
        while (findWindow(argv[2]) == nullptr) {
            if (GetTickCount() - start >= limit) {
                std::printf("no window \"%s\" after %s s\n", argv[2], argv[3]);
                return 1;
            }
            Sleep(100);
        }
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
        HWND window = findWindow(argv[2]);
        if (window == nullptr || !PostMessageA(window, WM_CLOSE, 0, 0)) {
            std::printf("no window \"%s\" to close\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "dialogs") == 0) {
        Search search{"", true, nullptr, 0};
        EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
        return search.count == 0 ? 0 : 1;
    }
    std::fprintf(stderr,
                 "usage: wintool wait TEXT SECONDS | close TEXT | dialogs | play MP3 SECONDS\n");
    return 2;
}
