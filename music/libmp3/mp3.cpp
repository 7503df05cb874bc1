// The decoder library's entry points: plays an MP3 file through SDL audio on the calling thread
// and reports to the program's window by posted messages only. It must never touch the program's
// state, never wait on the program, and never leave an mp3play call without posting mp3Ended.
#include "music/libmp3/mp3.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "music/libmp3/AudioOutput.h"
#include "music/libmp3/Mp3Decoder.h"

// Constants

constexpr int reportIntervalMs = 250;
constexpr int pollIntervalMs = 10;             // how late a stop or seek request can be noticed
constexpr int decodeAheadMs = 500;             // audio kept queued ahead of the device
constexpr std::size_t decodeChunkBytes = 16384;
constexpr auto exitGraceTime = std::chrono::seconds(1);

// Types

namespace {

using Clock = std::chrono::steady_clock;

enum class Outcome { cannotPlay, played };

// Counts a running mp3play from its first line to the moment its end report is posted.
class ActivePlay {
public:
    ActivePlay();
    ~ActivePlay();
};

// At process exit, stops what still plays and waits for it to let go of SDL audio, so that
// nothing tears audio down under a player thread. The program may end without stopping music.
class ExitGuard {
public:
    ~ExitGuard();
};

}  // namespace

// Globals

namespace {

std::atomic<unsigned> stopGeneration{0};  // each mp3stop call moves it on
std::atomic<std::int64_t> seekRequest{-1};

std::mutex playLock;
std::condition_variable playEnded;
int activePlays = 0;

ExitGuard exitGuard;  // after what it uses, so that it is destroyed first

}  // namespace

// Functions

namespace {

ActivePlay::ActivePlay() {
    std::lock_guard<std::mutex> guard(playLock);
    ++activePlays;
}

ActivePlay::~ActivePlay() {
    {
        std::lock_guard<std::mutex> guard(playLock);
        --activePlays;
    }
    playEnded.notify_all();
}

ExitGuard::~ExitGuard() {
    mp3stop();
    std::unique_lock<std::mutex> guard(playLock);
    playEnded.wait_for(guard, exitGraceTime, [] { return activePlays == 0; });
}

void report(platform::WindowHandle window, unsigned message, std::int64_t positionMs) {
    if (window == nullptr) return;
    platform::postMessage(window, message, static_cast<std::uintptr_t>(positionMs < 0 ? 0 : positionMs), 0);
}

// Sleeps for about the given time, in short steps; false as soon as a stop is requested.
bool pause(int milliseconds, unsigned generation) {
    for (int slept = 0; slept < milliseconds; slept += pollIntervalMs) {
        if (stopGeneration.load() != generation) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(pollIntervalMs));
    }
    return stopGeneration.load() == generation;
}

// Decodes ahead, feeds the device and reports the position until the track ends or a stop.
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

    while (stopGeneration.load() == generation) {
        const std::int64_t seekTo = seekRequest.exchange(-1);
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
        const std::int64_t playedBytes = queuedSinceBase - static_cast<std::int64_t>(output.queuedBytes());
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

}  // namespace

extern "C" {

MP3_EXPORT std::uint32_t mp3play(void* raw) {
    ActivePlay active;
    const unsigned generation = stopGeneration.load();
    seekRequest.store(-1);
    const auto* params = static_cast<const PlayParams*>(raw);
    if (params == nullptr) return 1;
    // Both words are copied now: the block's owner may free it once the first report arrives.
    platform::WindowHandle window = params->window;
    const std::string path = params->path != nullptr ? params->path : "";
    // Every device and decoder is released before the end report, so that whoever waits for it
    // may shut SDL down.
    const Outcome outcome = playTrack(path, window, generation);
    report(window, mp3Ended, 0);
    AudioOutput::releaseThreadState();
    return outcome == Outcome::played ? 0 : 1;
}

MP3_EXPORT std::int32_t mp3stop() {
    stopGeneration.fetch_add(1);
    std::lock_guard<std::mutex> guard(playLock);
    return activePlays > 0 ? 1 : 0;
}

MP3_EXPORT std::int32_t mp3gettime(PlayParams* params, TrackInfo* trackInfo, double* unitLength) {
    if (unitLength != nullptr) *unitLength = 0.0;
    if (trackInfo != nullptr) *trackInfo = TrackInfo{0, 0};
    if (params == nullptr || params->path == nullptr) return 0;
    Mp3Decoder decoder;
    if (!decoder.open(params->path)) return 0;
    if (unitLength != nullptr) *unitLength = decoder.lengthSeconds();
    if (trackInfo != nullptr)
        *trackInfo = TrackInfo{static_cast<std::uint32_t>(decoder.sampleRate()),
                               static_cast<std::uint32_t>(decoder.channels())};
    return 1;
}

MP3_EXPORT std::int32_t mp3seek(std::uint32_t milliseconds) {
    std::lock_guard<std::mutex> guard(playLock);
    if (activePlays == 0) return 0;
    seekRequest.store(static_cast<std::int64_t>(milliseconds));
    return 1;
}

}  // extern "C"
