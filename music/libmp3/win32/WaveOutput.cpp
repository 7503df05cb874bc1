// waveOut playback: the device is opened paused with an event callback, buffers are prepared once
// and written in turn, and a buffer counts as free again once the device marks it done.
#include "music/libmp3/win32/WaveOutput.h"

namespace {

constexpr int bufferCount = 8;

}  // namespace

WaveOutput::~WaveOutput() {
    close();
}

bool WaveOutput::open(long sampleRate, int channels, int aheadMilliseconds) {
    if (device != nullptr || sampleRate <= 0 || channels <= 0 || aheadMilliseconds <= 0)
        return false;
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(channels * 2);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;

    done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (done == nullptr) return false;
    if (waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        device = nullptr;
        close();
        return false;
    }
    waveOutPause(device);

    const std::size_t frames =
        static_cast<std::size_t>(sampleRate) * aheadMilliseconds / 1000 / bufferCount + 1;
    buffers.resize(bufferCount);
    for (Buffer& buffer : buffers) {
        buffer.bytes.assign(frames * format.nBlockAlign, 0);
        buffer.header = WAVEHDR{};
        buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.bytes.data());
        buffer.header.dwBufferLength = static_cast<DWORD>(buffer.bytes.size());
        buffer.queued = false;
        if (waveOutPrepareHeader(device, &buffer.header, sizeof buffer.header) !=
            MMSYSERR_NOERROR) {
            close();
            return false;
        }
    }
    return true;
}

unsigned char* WaveOutput::freeBuffer(std::size_t* capacity) {
    if (device == nullptr) return nullptr;
    Buffer& buffer = buffers[nextBuffer];
    if (buffer.queued && !(buffer.header.dwFlags & WHDR_DONE)) return nullptr;
    buffer.queued = false;
    if (capacity != nullptr) *capacity = buffer.bytes.size();
    return buffer.bytes.data();
}

bool WaveOutput::submit(std::size_t bytes) {
    if (device == nullptr) return false;
    Buffer& buffer = buffers[nextBuffer];
    if (buffer.queued || bytes == 0 || bytes > buffer.bytes.size()) return false;
    buffer.header.dwBufferLength = static_cast<DWORD>(bytes);
    buffer.header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
    if (waveOutWrite(device, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR)
        return false;
    buffer.queued = true;
    nextBuffer = (nextBuffer + 1) % buffers.size();
    return true;
}

std::size_t WaveOutput::queuedBytes() {
    std::size_t total = 0;
    for (const Buffer& buffer : buffers)
        if (buffer.queued && !(buffer.header.dwFlags & WHDR_DONE))
            total += buffer.header.dwBufferLength;
    return total;
}

std::int64_t WaveOutput::playedBytes() {
    if (device == nullptr) return 0;
    MMTIME time{};
    time.wType = TIME_BYTES;
    if (waveOutGetPosition(device, &time, sizeof time) != MMSYSERR_NOERROR ||
        time.wType != TIME_BYTES)
        return 0;
    return static_cast<std::int64_t>(time.u.cb);
}

void WaveOutput::clear() {
    if (device == nullptr) return;
    waveOutReset(device);  // hands every buffer back marked done, and leaves the device running
    for (Buffer& buffer : buffers) buffer.queued = false;
    nextBuffer = 0;
}

void WaveOutput::resume() {
    if (device != nullptr) waveOutRestart(device);
}

void WaveOutput::wait(int milliseconds) {
    if (done != nullptr) WaitForSingleObject(done, static_cast<DWORD>(milliseconds));
}

void WaveOutput::close() {
    if (device != nullptr) {
        waveOutReset(device);
        for (Buffer& buffer : buffers)
            if (buffer.header.dwFlags & WHDR_PREPARED)
                waveOutUnprepareHeader(device, &buffer.header, sizeof buffer.header);
        waveOutClose(device);
        device = nullptr;
    }
    buffers.clear();
    nextBuffer = 0;
    if (done != nullptr) {
        CloseHandle(done);
        done = nullptr;
    }
}
