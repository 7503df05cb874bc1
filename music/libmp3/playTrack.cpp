// Playing one track on Linux: libmpg123 decodes, SDL audio plays from its queue. SDL is started
// and stopped per track by the output itself, and a player thread lets go of SDL's per-thread
// state as its last act, so the library leaves nothing of SDL behind.
#include <chrono>
#include <thread>
#include <vector>

#include "music/libmp3/AudioOutput.h"
#include "music/libmp3/Mp3Decoder.h"
#include "music/libmp3/Playback.h"

constexpr std::size_t decodeChunkBytes = 16384;
constexpr auto exitGraceTime = std::chrono::seconds(1);

namespace {

using Clock = std::chrono::steady_clock;

// At process exit, stops what still plays and waits for it to let go of SDL audio, so that
// nothing tears audio down under a player thread. The program may end without stopping music.
class ExitGuard {
public:
    ~ExitGuard();
};

}  // namespace

// Globals

namespace {

ExitGuard exitGuard;

}  // namespace

namespace {

ExitGuard::~ExitGuard() {
    mp3stop();
    const Clock::time_point deadline = Clock::now() + exitGraceTime;
    while (activePlays() > 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(pollIntervalMs));
}

// Sleeps for about the given time, in short steps; false as soon as a stop is requested.
bool pause(int milliseconds, unsigned generation) {
    for (int slept = 0; slept < milliseconds; slept += pollIntervalMs) {
        if (stopRequested(generation)) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(pollIntervalMs));
    }
    return !stopRequested(generation);
}

}  // namespace

Outcome playTrack(const std::string& path, platform::WindowHandle window, unsigned generation) {
    Mp3Decoder decoder;
    if (!decoder.open(path.c_str())) return Outcome::cannotPlay;
    AudioOutput output;
    if (!output.open(decoder.sampleRate(), decoder.channels())) return Outcome::cannotPlay;

    const std::int64_t bytesPerSecond = decoder.sampleRate() * decoder.bytesPerFrame();
    const std::size_t aheadBytes = static_cast<std::size_t>(bytesPerSecond * decodeAheadMs / 1000);
    std::vector<unsigned char> chunk(decodeChunkBytes);
    std::int64_t basePositionMs = 0;  // where the queued audio starts, after a seek
    std::int64_t queuedSinceBase = 0;
    bool decoderDone = false;
    bool started = false;
    Clock::time_point lastReport;

    while (!stopRequested(generation)) {
        const std::int64_t seekTo = takeSeekRequest();
        if (seekTo >= 0 && started) {
            output.clearQueue();
            const std::int64_t reached = decoder.seekMilliseconds(seekTo);
            if (reached >= 0) basePositionMs = reached;
            decoderDone = reached < 0;
            queuedSinceBase = 0;
        }
        while (!decoderDone && output.queuedBytes() < aheadBytes) {
            const std::size_t got = decoder.read(chunk.data(), chunk.size());
            if (got == 0 || !output.queue(chunk.data(), got)) {
                decoderDone = true;
                break;
            }
            queuedSinceBase += static_cast<std::int64_t>(got);
        }
        const std::int64_t playedBytes =
            queuedSinceBase - static_cast<std::int64_t>(output.queuedBytes());
        const std::int64_t positionMs = basePositionMs + playedBytes * 1000 / bytesPerSecond;
        if (!started) {
            if (queuedSinceBase == 0) return Outcome::cannotPlay;  // no frame decoded
            output.resume();
            started = true;
            lastReport = Clock::now();
            report(window, mp3Position, 0);
        } else if (Clock::now() - lastReport >= std::chrono::milliseconds(reportIntervalMs)) {
            lastReport = Clock::now();
            report(window, mp3Position, positionMs);
        }
        if (decoderDone && output.queuedBytes() == 0) {
            // The device still holds its last buffer or two: let them play out.
            pause(2 * output.bufferMilliseconds(), generation);
            break;
        }
        if (!output.running()) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(pollIntervalMs));
    }
    output.clearQueue();
    return Outcome::played;
}

bool describeTrack(const char* path, TrackInfo* trackInfo, double* seconds) {
    Mp3Decoder decoder;
    if (!decoder.open(path)) return false;
    *seconds = decoder.lengthSeconds();
    *trackInfo = TrackInfo{static_cast<std::uint32_t>(decoder.sampleRate()),
                           static_cast<std::uint32_t>(decoder.channels())};
    return true;
}

void beginPlayerThread() {}

void endPlayerThread() {
    AudioOutput::releaseThreadState();
}
