// An SDL audio device fed from a queue of signed 16-bit PCM, opened for one track and closed with
// it. Each output holds a reference on SDL's audio subsystem, so the library needs nobody else to
// start audio and leaves it as it found it.
#pragma once

#include <cstddef>
#include <cstdint>

class AudioOutput {
public:
    AudioOutput() = default;
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Opens the default device, paused, for exactly this format; false when there is no device.
    bool open(long sampleRate, int channels);
    bool queue(const unsigned char* pcm, std::size_t bytes);
    std::size_t queuedBytes() const;
    void clearQueue();
    void resume();
    // False once the device has stopped on its own (a device that went away).
    bool running() const;
    // How long the device takes to play one of its buffers, in milliseconds.
    int bufferMilliseconds() const;
    void close();

    // SDL keeps per-thread state (its error text) for threads it did not create and frees it
    // only on request: a player thread makes that request as its last use of SDL.
    static void releaseThreadState();

private:
    std::uint32_t device = 0;
    bool audioStarted = false;
    int bufferDuration = 0;
};
