// Playing one track on Windows: the system's MP3 codec decodes through the Audio Compression
// Manager, waveOut plays from a ring of buffers. The track is read into memory whole, so the
// program may delete the file while it plays.
#include "music/libmp3/Playback.h"
#include "music/libmp3/win32/AcmDecoder.h"
#include "music/libmp3/win32/WaveOutput.h"

namespace {

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

}  // namespace

Outcome playTrack(const std::string& path, platform::WindowHandle window, unsigned generation) {
    AcmDecoder decoder;
    if (!decoder.open(path.c_str(), AcmDecoder::Reading::wholeFile)) return Outcome::cannotPlay;
    WaveOutput output;
    if (!output.open(decoder.sampleRate(), decoder.channels(), decodeAheadMs))
        return Outcome::cannotPlay;

    const std::int64_t bytesPerSecond = decoder.sampleRate() * decoder.bytesPerFrame();
    std::int64_t queuedSinceBase = 0;
    bool decoderDone = !fill(decoder, output, &queuedSinceBase);
    if (queuedSinceBase == 0) return Outcome::cannotPlay;  // no frame decoded
    output.resume();
    report(window, mp3Position, 0);
    DWORD lastReport = GetTickCount();
    std::int64_t basePositionMs = 0;  // where the queued audio starts, after a seek

    while (!stopRequested(generation)) {
        const std::int64_t seekTo = takeSeekRequest();
        if (seekTo >= 0) {
            output.clear();
            const std::int64_t reached = decoder.seekMilliseconds(seekTo);
            if (reached >= 0) basePositionMs = reached;
            decoderDone = reached < 0;
            queuedSinceBase = 0;
        }
        if (!decoderDone) decoderDone = !fill(decoder, output, &queuedSinceBase);
        if (decoderDone && output.queuedBytes() == 0) break;  // the device has played everything
        if (GetTickCount() - lastReport >= static_cast<DWORD>(reportIntervalMs)) {
            lastReport = GetTickCount();
            report(window, mp3Position,
                   basePositionMs + output.playedBytes() * 1000 / bytesPerSecond);
        }
        output.wait(pollIntervalMs);
    }
    output.close();
    return Outcome::played;
}

bool describeTrack(const char* path, TrackInfo* trackInfo, double* seconds) {
    AcmDecoder decoder;
    if (!decoder.open(path, AcmDecoder::Reading::headerOnly)) return false;
    *seconds = decoder.lengthSeconds();
    *trackInfo = TrackInfo{static_cast<std::uint32_t>(decoder.sampleRate()),
                           static_cast<std::uint32_t>(decoder.channels())};
    return true;
}

// A player thread may still be returning through this library's code when the program frees it
// after the end report: the library stays loaded until the process ends.
void beginPlayerThread() {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&beginPlayerThread), &self);
}

void endPlayerThread() {}
