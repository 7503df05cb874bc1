// Inside the decoder library: the entry points and their bookkeeping (mp3.cpp) are the same on
// every system; only the playing of one track is written per system (playTrack.cpp: libmpg123 and
// SDL audio here, the Audio Compression Manager and waveOut in win32/). The playing half learns of
// stop and seek requests through the calls below and talks to the program only through report.
#pragma once

#include <cstdint>
#include <string>

#include "music/libmp3/mp3.h"

constexpr int reportIntervalMs = 250;
constexpr int pollIntervalMs = 10;  // how late a stop or seek request can be noticed
constexpr int decodeAheadMs = 500;  // audio kept queued ahead of the device

enum class Outcome { cannotPlay, played };

// Defined in mp3.cpp, the same on every system:

// True once mp3stop has been called since the mp3play that took this generation began.
bool stopRequested(unsigned generation);
// The position asked for by the last mp3seek in milliseconds, or -1 when there is none; taking it
// clears it.
std::int64_t takeSeekRequest();
// mp3play calls under way.
int activePlays();
// Posts a report to the program's window, if there is one; a negative position goes as 0.
void report(platform::WindowHandle window, unsigned message, std::int64_t positionMs);

// Defined in playTrack.cpp, one per system:

// Decodes ahead, feeds the device and reports the position, the first report once audio is queued
// and the device runs, until the track ends or a stop is requested. Device and decoder are released
// before it returns.
Outcome playTrack(const std::string& path, platform::WindowHandle window, unsigned generation);
// The track's format and the decoder's length estimate in seconds (0 when unknown), without
// decoding it; false when it cannot be read.
bool describeTrack(const char* path, TrackInfo* trackInfo, double* seconds);
// The first thing a player thread does in the library, and the last, after its end report.
void beginPlayerThread();
void endPlayerThread();
