// The music player: loads the decoder library, owns a hidden window for its reports and starts the
// thread that plays the track. Every field is written on the main thread only, by the hidden
// window's procedure during message dispatch; the player thread never touches this object.
#pragma once

#include <cstdint>

#include "music/libmp3/mp3.h"
#include "platform/SharedLibrary.h"
#include "platform/Window.h"

class MusicPlayer {
public:
    // path: the MP3 file to play. libraryName is the decoder library's system name; only tests
    // pass another.
    explicit MusicPlayer(const char* path, const char* libraryName = "mp3.dll");
    virtual ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    bool createHiddenWindow();
    // Starts playback and returns after the first report. A player that cannot play sets playing,
    // so that the demo runs on without music.
    void start();
    // Stops playback and waits for the end report.
    void stop();

    bool playing = false;  // from the first position report until the end report
    PlayParams* params = nullptr;
    Mp3PlayEntry playEntry = nullptr;
    Mp3StopEntry stopEntry = nullptr;
    Mp3GetTimeEntry timeEntry = nullptr;
    Mp3SeekEntry seekEntry = nullptr;  // resolved, never called
    platform::LibraryHandle library = nullptr;
    std::uint32_t threadId = 0;
    platform::ModuleHandle instance = nullptr;
    platform::WindowHandle window = nullptr;
    double unitLength = 0.0;  // seconds, 0 when unknown; not read by the demo
    TrackInfo trackInfo{};    // not read by the demo
    // True from the start of the player thread until its end report is handled: only then can a
    // report still arrive, so only then may anyone wait for one.
    bool threadActive = false;

private:
    // Waits for the next message to the hidden window and dispatches it; false when a quit
    // request came instead (it is queued again for the main loop).
    bool handleOneReport();
};

// Globals

// The one player; the window procedure reaches it through this.
extern MusicPlayer* currentPlayer;

std::intptr_t musicWindowProc(platform::WindowHandle window, unsigned message,
                              std::uintptr_t wParam, std::intptr_t lParam);
