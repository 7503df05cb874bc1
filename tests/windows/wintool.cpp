// Helper for the Windows tests, run under Wine beside orbek42.exe: waits for a window by its title
// or closes it as a close button would, lists open message boxes, plays a file through mp3.dll as
// the demo does, and describes a program's version record and icons (usage in main).
// Exit status 0 on success, 1 when what was asked for is not there or failed, 2 on a usage error.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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

// One text of a version record's first language, or "" when it has none.
std::string versionText(const std::vector<char>& record, const char* name) {
    struct Language {
        WORD language, codePage;
    };
    Language* languages = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(record.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&languages), &size) ||
        size < sizeof(Language))
        return "";
    char path[96];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", languages[0].language,
                  languages[0].codePage, name);
    char* text = nullptr;
    if (!VerQueryValueA(record.data(), path, reinterpret_cast<void**>(&text), &size) || size == 0)
        return "";
    return std::string(text);
}

BOOL CALLBACK countResource(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// What Explorer shows of a program: its version record and its icons.
int describe(const char* path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    std::vector<char> record(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, record.data()) ||
        !VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize)) {
        std::printf("%s has no version record\n", path);
        return 1;
    }
    std::printf("file version: %u.%u.%u.%u\n", HIWORD(fixed->dwFileVersionMS),
                LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                LOWORD(fixed->dwFileVersionLS));
    for (const char* name : {"ProductVersion", "FileDescription", "LegalCopyright"})
        std::printf("%s: %s\n", name, versionText(record, name).c_str());
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    int groups = 0, images = 0;
    if (module != nullptr) {
        EnumResourceNamesA(module, MAKEINTRESOURCEA(14), countResource,
                           reinterpret_cast<LONG_PTR>(&groups));  // RT_GROUP_ICON
        EnumResourceNamesA(module, MAKEINTRESOURCEA(3), countResource,
                           reinterpret_cast<LONG_PTR>(&images));  // RT_ICON
        FreeLibrary(module);
    }
    std::printf("icons: %d, images: %d\n", groups, images);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "describe") == 0) return describe(argv[2]);
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
                 "usage: wintool wait TEXT SECONDS | close TEXT | dialogs | play MP3 SECONDS |\n"
                 "               describe PROGRAM\n");
    return 2;
}
