// mp3.dll's entry points on Windows: plays an MP3 file decoded by the system's codec (Audio
// Compression Manager) through waveOut on the calling thread, and reports to the program's window
// by PostMessageA only. It must never touch the program's state, never wait on the program, and
// never leave an mp3play call without posting mp3Ended. Same entry points and reports as libmp3.so.
#include "music/libmp3/mp3.h"

#include <atomic>
#include <string>

#include "music/libmp3/win32/AcmDecoder.h"
#include "music/libmp3/win32/WaveOutput.h"

// Constants

namespace {

constexpr DWORD reportIntervalMs = 250;
constexpr int pollIntervalMs = 10;  // how late a stop or seek request can be noticed
constexpr int decodeAheadMs = 500;  // audio kept queued ahead of the device

// Types

enum class Outcome { cannotPlay, played };

// Counts a running mp3play from its first line to the moment its end report is posted.
class ActivePlay {
public:
    ActivePlay();
    ~ActivePlay();
};

// Globals

std::atomic<unsigned> stopGeneration{0};  // each mp3stop call moves it on
std::atomic<std::int64_t> seekRequest{-1};
std::atomic<int> activePlays{0};

// Functions

ActivePlay::ActivePlay() { activePlays.fetch_add(1); }

ActivePlay::~ActivePlay() { activePlays.fetch_sub(1); }

void report(platform::WindowHandle window, unsigned message, std::int64_t positionMs) {
    if (window == nullptr) return;
    PostMessageA(reinterpret_cast<HWND>(window), message, static_cast<WPARAM>(positionMs < 0 ? 0 : positionMs), 0);
}

// A player thread may still be returning through this library's code when the program frees it
// after the end report: the library stays loaded until the process ends.
void pinLibrary() {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&report), &self);
}

// Decodes into every free device buffer; false once the decoder has nothing more.
bool fill(AcmDecoder& decoder, WaveOutput& output, std::int64_t* queued) {
    std::size_t capacity = 0;
    while (unsigned char* buffer = output.freeBuffer(&capacity)) {
        const std::size_t got = decoder.read(buffer, capacity);
        if (got == 0 || !output.submit(got)) return false;
        *queued += static_cast<std::int64_t>(got);
    }
    return true;
}

// Decodes ahead, feeds the device and reports the position until the track ends or a stop.
Outcome playTrack(const std::string& path, platform::WindowHandle window, unsigned generation) {
    AcmDecoder decoder;
    if (!decoder.open(path.c_str(), AcmDecoder::Reading::wholeFile)) return Outcome::cannotPlay;
    WaveOutput output;
    if (!output.open(decoder.sampleRate(), decoder.channels(), decodeAheadMs)) return Outcome::cannotPlay;

    const std::int64_t bytesPerSecond = decoder.sampleRate() * decoder.bytesPerFrame();
    std::int64_t queuedSinceBase = 0;
    bool decoderDone = !fill(decoder, output, &queuedSinceBase);
    if (queuedSinceBase == 0) return Outcome::cannotPlay;  // no frame decoded
    output.resume();
    report(window, mp3Position, 0);
    DWORD lastReport = GetTickCount();
    std::int64_t basePositionMs = 0;  // where the queued audio starts, after a seek

    while (stopGeneration.load() == generation) {
        const std::int64_t seekTo = seekRequest.exchange(-1);
        if (seekTo >= 0) {
            output.clear();
            const std::int64_t reached = decoder.seekMilliseconds(seekTo);
            if (reached >= 0) basePositionMs = reached;
            decoderDone = reached < 0;
            queuedSinceBase = 0;
        }
        if (!decoderDone) decoderDone = !fill(decoder, output, &queuedSinceBase);
        if (decoderDone && output.queuedBytes() == 0) break;  // the device has played everything
        if (GetTickCount() - lastReport >= reportIntervalMs) {
            lastReport = GetTickCount();
            report(window, mp3Position, basePositionMs + output.playedBytes() * 1000 / bytesPerSecond);
        }
        output.wait(pollIntervalMs);
    }
    output.close();
    return Outcome::played;
}

}  // namespace

extern "C" {

MP3_EXPORT std::uint32_t mp3play(void* raw) {
    pinLibrary();
    ActivePlay active;
    const unsigned generation = stopGeneration.load();
    seekRequest.store(-1);
    const auto* params = static_cast<const PlayParams*>(raw);
    if (params == nullptr) return 1;
    // Both words are copied now: the block's owner may free it once the first report arrives.
    platform::WindowHandle window = params->window;
    const std::string path = params->path != nullptr ? params->path : "";
    // The device and the codec are released before the end report.
    const Outcome outcome = playTrack(path, window, generation);
    report(window, mp3Ended, 0);
    return outcome == Outcome::played ? 0 : 1;
}

MP3_EXPORT std::int32_t mp3stop() {
    stopGeneration.fetch_add(1);
    return activePlays.load() > 0 ? 1 : 0;
}

MP3_EXPORT std::int32_t mp3gettime(PlayParams* params, TrackInfo* trackInfo, double* unitLength) {
    if (unitLength != nullptr) *unitLength = 0.0;
    if (trackInfo != nullptr) *trackInfo = TrackInfo{0, 0};
    if (params == nullptr || params->path == nullptr) return 0;
    AcmDecoder decoder;
    if (!decoder.open(params->path, AcmDecoder::Reading::headerOnly)) return 0;
    if (unitLength != nullptr) *unitLength = decoder.lengthSeconds();
    if (trackInfo != nullptr)
        *trackInfo = TrackInfo{static_cast<std::uint32_t>(decoder.sampleRate()),
                               static_cast<std::uint32_t>(decoder.channels())};
    return 1;
}

MP3_EXPORT std::int32_t mp3seek(std::uint32_t milliseconds) {
    if (activePlays.load() == 0) return 0;
    seekRequest.store(static_cast<std::int64_t>(milliseconds));
    return 1;
}

}  // extern "C"
