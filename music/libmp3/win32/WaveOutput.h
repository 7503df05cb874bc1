// A waveOut device fed from a ring of fixed buffers of signed 16-bit PCM, opened for one track and
// closed with it. The device signals an event whenever it hands a buffer back, so the player can
// wait on it instead of polling blindly.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <mmsystem.h>

#include <cstddef>
#include <cstdint>
#include <vector>

class WaveOutput {
public:
    WaveOutput() = default;
    ~WaveOutput();
    WaveOutput(const WaveOutput&) = delete;
    WaveOutput& operator=(const WaveOutput&) = delete;

    // Opens the default device, paused, for exactly this format, with buffers for about
    // aheadMilliseconds of audio; false when there is no device.
    bool open(long sampleRate, int channels, int aheadMilliseconds);
    // A buffer the device does not hold, to be filled and handed over with submit; null when all
    // are queued.
    unsigned char* freeBuffer(std::size_t* capacity);
    bool submit(std::size_t bytes);
    std::size_t queuedBytes();
    // Bytes played since open or the last clear.
    std::int64_t playedBytes();
    // Drops everything queued; the played count starts again from 0.
    void clear();
    void resume();
    // Waits until the device hands a buffer back, at most milliseconds.
    void wait(int milliseconds);
    void close();

private:
    struct Buffer {
        std::vector<unsigned char> bytes;
        WAVEHDR header;
        bool queued;
    };

    HWAVEOUT device = nullptr;
    HANDLE done = nullptr;
    std::vector<Buffer> buffers;
    std::size_t nextBuffer = 0;
};
