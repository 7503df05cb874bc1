// The decoder library's interface: the block the program hands over, the reports posted back to the
// program's window, and the four C entry points. The program never links the library: it loads it
// at run time and finds the entry points by name, so it shares only the types declared here.
#pragma once

#include <cstdint>

#include "platform/Window.h"

#if defined(MP3_BUILDING) && defined(_WIN32)
#define MP3_EXPORT __declspec(dllexport)
#elif defined(MP3_BUILDING)
#define MP3_EXPORT __attribute__((visibility("default")))
#else
#define MP3_EXPORT
#endif

// Reports posted to the window named in PlayParams.
constexpr unsigned mp3Position =
    12000;                             // playback under way; wParam: play position in milliseconds
constexpr unsigned mp3Unused = 12001;  // reserved; this library never posts it
constexpr unsigned mp3Ended = 12002;   // the track ended, was stopped, or could not be played

// Four pointer-sized words in this order. The block handed over may be larger; the library reads
// only these words.
struct PlayParams {
    const char* path;  // zero-terminated; read once when playback starts
    std::uintptr_t reserved1;
    platform::WindowHandle window;  // receives the reports
    std::uintptr_t reserved2;
};
static_assert(sizeof(PlayParams) == 4 * sizeof(void*), "PlayParams is four pointer-sized words");

// What mp3gettime tells about a track: 8 bytes.
struct TrackInfo {
    std::uint32_t sampleRate;
    std::uint32_t channels;
};
static_assert(sizeof(TrackInfo) == 8, "TrackInfo is 8 bytes");

extern "C" {
// Plays the track on the calling thread and returns when it ends or is stopped; a thread routine.
// Posts mp3Position once audio is queued and the device runs, then about every 250 ms, and
// mp3Ended last, on every call.
MP3_EXPORT std::uint32_t mp3play(void* params);
// Makes every running mp3play end within 100 ms; harmless when nothing plays. 1 if one was running.
MP3_EXPORT std::int32_t mp3stop();
// Length in seconds (0 when unknown) from the decoder's own estimate; never scans the whole file.
MP3_EXPORT std::int32_t mp3gettime(PlayParams* params, TrackInfo* trackInfo, double* unitLength);
// Moves the position of the track that is playing; ignored when nothing plays.
MP3_EXPORT std::int32_t mp3seek(std::uint32_t milliseconds);
}

using Mp3PlayEntry = std::uint32_t (*)(void* params);
using Mp3StopEntry = std::int32_t (*)();
using Mp3GetTimeEntry = std::int32_t (*)(PlayParams* params, TrackInfo* trackInfo,
                                         double* unitLength);
using Mp3SeekEntry = std::int32_t (*)(std::uint32_t milliseconds);
