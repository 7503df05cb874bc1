// The decoder library in a browser page: the browser decodes and plays the track (WebAudio.js),
// the four entry points hand over to it and its reports become messages to the program's window.
// The library is linked into the program and registers itself under the name the program loads.
#include <emscripten/emscripten.h>

#include "music/libmp3/mp3.h"
#include "platform/web/LinkedLibrary.h"

extern "C" {
// WebAudio.js
int webAudioDescribe(const char* path, double* seconds, std::uint32_t* sampleRate,
                     std::uint32_t* channels);
void webAudioPlay(const char* path, platform::WindowHandle window);
int webAudioStop();
int webAudioSeek(std::uint32_t milliseconds);

// Called by WebAudio.js for every report of a play.
EMSCRIPTEN_KEEPALIVE void mp3ReportFromPage(platform::WindowHandle window, unsigned message,
                                            std::uint32_t positionMs) {
    if (window != nullptr) platform::postMessage(window, message, positionMs, 0);
}

// Starts playback and returns: the page has no thread to play on, so the browser plays and
// reports to the window in the block, mp3Ended last, also when the file cannot be played.
std::uint32_t mp3play(void* raw) {
    const auto* params = static_cast<const PlayParams*>(raw);
    if (params == nullptr) return 1;
    webAudioPlay(params->path != nullptr ? params->path : "", params->window);
    return 0;
}

std::int32_t mp3stop() {
    return webAudioStop();
}

// Decodes the whole track, which the browser does in a couple of seconds, so the length is exact;
// mp3play then starts without a wait.
std::int32_t mp3gettime(PlayParams* params, TrackInfo* trackInfo, double* unitLength) {
    if (unitLength != nullptr) *unitLength = 0.0;
    if (trackInfo != nullptr) *trackInfo = TrackInfo{0, 0};
    if (params == nullptr || params->path == nullptr) return 0;
    double seconds = 0.0;
    TrackInfo info{0, 0};
    if (!webAudioDescribe(params->path, &seconds, &info.sampleRate, &info.channels)) return 0;
    if (unitLength != nullptr) *unitLength = seconds;
    if (trackInfo != nullptr) *trackInfo = info;
    return 1;
}

std::int32_t mp3seek(std::uint32_t milliseconds) {
    return webAudioSeek(milliseconds);
}
}

namespace {

const platform::LinkedEntryPoint entryPoints[] = {
    {"mp3play", reinterpret_cast<void*>(&mp3play)},
    {"mp3stop", reinterpret_cast<void*>(&mp3stop)},
    {"mp3gettime", reinterpret_cast<void*>(&mp3gettime)},
    {"mp3seek", reinterpret_cast<void*>(&mp3seek)},
};

[[maybe_unused]] const bool registered = platform::registerLinkedLibrary("mp3.dll", entryPoints, 4);

}  // namespace
