// The decoder library's entry points, the same on every system: the stop generation, the pending
// seek and the count of running players, and the reports around each playback. Decoding and output
// are each system's own (playTrack.cpp). It must never touch the program's state, never wait on the
// program, and never leave an mp3play call without posting mp3Ended.
#include "music/libmp3/mp3.h"

#include <atomic>
#include <string>

#include "music/libmp3/Playback.h"

namespace {

// Counts a running mp3play from its first line to its last.
class ActivePlay {
public:
    ActivePlay();
    ~ActivePlay();
};

}  // namespace

// Globals

namespace {

// Atomics only: an exit handler may read them after every other static of the library is gone.
std::atomic<unsigned> stopGeneration{0};  // each mp3stop call moves it on
std::atomic<std::int64_t> seekRequest{-1};
std::atomic<int> activePlayCount{0};

}  // namespace

namespace {

ActivePlay::ActivePlay() {
    activePlayCount.fetch_add(1);
}

ActivePlay::~ActivePlay() {
    activePlayCount.fetch_sub(1);
}

}  // namespace

bool stopRequested(unsigned generation) {
    return stopGeneration.load() != generation;
}

std::int64_t takeSeekRequest() {
    return seekRequest.exchange(-1);
}

int activePlays() {
    return activePlayCount.load();
}

void report(platform::WindowHandle window, unsigned message, std::int64_t positionMs) {
    if (window == nullptr) return;
    platform::postMessage(window, message,
                          static_cast<std::uintptr_t>(positionMs < 0 ? 0 : positionMs), 0);
}

extern "C" {

MP3_EXPORT std::uint32_t mp3play(void* raw) {
    beginPlayerThread();
    ActivePlay active;
    const unsigned generation = stopGeneration.load();
    seekRequest.store(-1);
    const auto* params = static_cast<const PlayParams*>(raw);
    if (params == nullptr) return 1;
    // Both words are copied now: the block's owner may free it once the first report arrives.
    platform::WindowHandle window = params->window;
    const std::string path = params->path != nullptr ? params->path : "";
    // Every device and decoder is released before the end report, so that whoever waits for it
    // may shut audio down.
    const Outcome outcome = playTrack(path, window, generation);
    report(window, mp3Ended, 0);
    endPlayerThread();
    return outcome == Outcome::played ? 0 : 1;
}

MP3_EXPORT std::int32_t mp3stop() {
    stopGeneration.fetch_add(1);
    return activePlays() > 0 ? 1 : 0;
}

MP3_EXPORT std::int32_t mp3gettime(PlayParams* params, TrackInfo* trackInfo, double* unitLength) {
    if (unitLength != nullptr) *unitLength = 0.0;
    if (trackInfo != nullptr) *trackInfo = TrackInfo{0, 0};
    if (params == nullptr || params->path == nullptr) return 0;
    TrackInfo info{0, 0};
    double seconds = 0.0;
    if (!describeTrack(params->path, &info, &seconds)) return 0;
    if (unitLength != nullptr) *unitLength = seconds;
    if (trackInfo != nullptr) *trackInfo = info;
    return 1;
}

MP3_EXPORT std::int32_t mp3seek(std::uint32_t milliseconds) {
    if (activePlays() == 0) return 0;
    seekRequest.store(static_cast<std::int64_t>(milliseconds));
    return 1;
}

}  // extern "C"
