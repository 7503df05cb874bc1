// The music player: loads the decoder library, owns a hidden window for its reports and starts the
// thread that plays the track. It never blocks without a report being on its way, and a player
// that cannot play lets the demo run silent rather than hold the first scene for ever.
#include "music/MusicPlayer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/MessageBox.h"
#include "platform/Thread.h"

static const char* const windowClassName = "MP3CLASS";
// The library expects a block of the path's length plus this many bytes.
constexpr std::size_t paramsSlack = 25;

// Globals

MusicPlayer* currentPlayer = nullptr;

std::intptr_t musicWindowProc(platform::WindowHandle window, unsigned message,
                              std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
        case mp3Position:
            if (currentPlayer != nullptr) currentPlayer->playing = true;
            return 1;
        case mp3Unused:
            return 1;
        case mp3Ended:
            if (currentPlayer != nullptr) {
                currentPlayer->playing = false;
                currentPlayer->threadActive = false;
            }
            return 1;
        case platform::msgClose:
            platform::postQuitMessage(0);
            return 0;
        default:
            return platform::defWindowProc(window, message, wParam, lParam);
    }
}

MusicPlayer::MusicPlayer(const char* path, const char* libraryName) {
    createHiddenWindow();
    playing = false;

    if (path == nullptr) path = "";
    const std::size_t pathLength = std::strlen(path);
    char* pathCopy = new char[pathLength + 1];
    std::memcpy(pathCopy, path, pathLength + 1);
    // Sized as the library expects, but never smaller than the four words themselves: on a 64-bit
    // build they take 32 bytes, more than a short path plus 25.
    const std::size_t blockSize = std::max(pathLength + paramsSlack, sizeof(PlayParams));
    void* block = ::operator new(blockSize);
    std::memset(block, 0, blockSize);
    params = new (block) PlayParams{pathCopy, 0, window, 0};

    library = platform::loadLibrary(libraryName);
    if (library != nullptr) {
        playEntry = reinterpret_cast<Mp3PlayEntry>(platform::getProcAddress(library, "mp3play"));
        stopEntry = reinterpret_cast<Mp3StopEntry>(platform::getProcAddress(library, "mp3stop"));
        timeEntry =
            reinterpret_cast<Mp3GetTimeEntry>(platform::getProcAddress(library, "mp3gettime"));
        seekEntry = reinterpret_cast<Mp3SeekEntry>(platform::getProcAddress(library, "mp3seek"));
    }
    currentPlayer = this;
}

bool MusicPlayer::createHiddenWindow() {
    instance = platform::getModuleHandle();
    if (!platform::registerWindowClass(windowClassName, musicWindowProc, instance)) {
        platform::messageBox(nullptr, "Failed To Register The Window Class.", "ERROR",
                             platform::mbOk | platform::mbIconExclamation);
        return false;
    }
    // The window only receives reports: it is never shown, so it needs no size.
    window = platform::createMessageWindow(windowClassName, "ZUNDA", instance);
    if (window == nullptr) {
        platform::messageBox(nullptr, "Window Creation Error.", "ERROR",
                             platform::mbOk | platform::mbIconExclamation);
        return false;
    }
    return true;
}

bool MusicPlayer::handleOneReport() {
    platform::Message message{};
    if (!platform::getMessage(&message, window)) {
        if (message.message == platform::msgQuit)
            platform::postQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    platform::translateMessage(&message);
    platform::dispatchMessage(&message);
    return true;
}

void MusicPlayer::start() {
    if (threadActive) return;
    // Without every entry point, or without a window to report to, there is nothing to wait for.
    const bool usable = playEntry != nullptr && stopEntry != nullptr && timeEntry != nullptr &&
                        seekEntry != nullptr && window != nullptr;
    if (!usable) {
        playing = true;
        return;
    }
    timeEntry(params, &trackInfo, &unitLength);
    platform::ThreadHandle thread = platform::createThread(playEntry, params, true, &threadId);
    if (thread == nullptr) {
        playing = true;
        return;
    }
    platform::setThreadPriority(thread, platform::threadPriorityHighest);
    threadActive = true;
    platform::resumeThread(thread);
    platform::closeThreadHandle(thread);
    if (!handleOneReport()) return;
    // The end report came first: the track cannot be played. Run silent.
    if (!threadActive) playing = true;
}

void MusicPlayer::stop() {
    if (stopEntry != nullptr) stopEntry();
    // Reports queued before the stop may come first; the end report is the last one there is.
    while (threadActive) {
        if (!handleOneReport()) return;
    }
}

MusicPlayer::~MusicPlayer() {
    if (playing || threadActive) stop();
    if (library != nullptr) platform::freeLibrary(library);
    if (params != nullptr) {
        delete[] params->path;
        ::operator delete(params);
        params = nullptr;
    }
    if (window != nullptr && !platform::destroyWindow(window)) window = nullptr;
    if (!platform::unregisterWindowClass(windowClassName, instance)) instance = nullptr;
    if (currentPlayer == this) currentPlayer = nullptr;
}
