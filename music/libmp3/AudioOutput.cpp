// An SDL audio device fed from a queue of signed 16-bit PCM, opened for one track and closed with
// it. SDL converts nothing: the device is asked for the track's own format and accepts it or fails.
#include "music/libmp3/AudioOutput.h"

#include <SDL.h>
#include <mutex>

constexpr Uint16 deviceBufferSamples = 2048;

// Globals

// SDL's subsystem reference counts are not guarded by SDL itself.
static std::mutex subsystemLock;

AudioOutput::~AudioOutput() {
    close();
}

bool AudioOutput::open(long sampleRate, int channels) {
    if (device != 0 || sampleRate <= 0 || channels <= 0) return false;
    {
        std::lock_guard<std::mutex> guard(subsystemLock);
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        audioStarted = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(sampleRate);
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(channels);
    wanted.samples = deviceBufferSamples;
    wanted.callback = nullptr;  // queued audio
    SDL_AudioSpec obtained{};
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        close();
        return false;
    }
    bufferDuration = static_cast<int>(obtained.samples * 1000L / sampleRate) + 1;
    return true;
}

bool AudioOutput::queue(const unsigned char* pcm, std::size_t bytes) {
    if (device == 0) return false;
    return SDL_QueueAudio(device, pcm, static_cast<Uint32>(bytes)) == 0;
}

std::size_t AudioOutput::queuedBytes() const {
    return device == 0 ? 0 : SDL_GetQueuedAudioSize(device);
}

void AudioOutput::clearQueue() {
    if (device != 0) SDL_ClearQueuedAudio(device);
}

void AudioOutput::resume() {
    if (device != 0) SDL_PauseAudioDevice(device, 0);
}

bool AudioOutput::running() const {
    return device != 0 && SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_PLAYING;
}

int AudioOutput::bufferMilliseconds() const {
    return bufferDuration;
}

void AudioOutput::close() {
    if (device != 0) {
        SDL_CloseAudioDevice(device);
        device = 0;
    }
    if (audioStarted) {
        std::lock_guard<std::mutex> guard(subsystemLock);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audioStarted = false;
    }
}

void AudioOutput::releaseThreadState() {
    SDL_TLSCleanup();
}
