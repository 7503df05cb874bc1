// An MP3 file decoded by the system's MP3 codec through the Audio Compression Manager into signed
// 16-bit PCM of the track's own rate and channels. For playing, the file is read into memory and
// closed at once, so the program can delete it while it plays, as it may on its way out. The file
// is hostile input: its size is capped, and decoding ends at the end of the data or when the codec
// can make nothing more of it.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "music/libmp3/win32/Mp3Frames.h"

class AcmDecoder {
public:
    AcmDecoder() = default;
    ~AcmDecoder();
    AcmDecoder(const AcmDecoder&) = delete;
    AcmDecoder& operator=(const AcmDecoder&) = delete;

    enum class Reading { headerOnly, wholeFile };

    // Reads the file's start (headerOnly: enough to describe it) or all of it and opens the codec
    // (wholeFile: ready to decode); false when it is missing, too large, holds no Layer III audio
    // or the system has no codec for it.
    bool open(const char* path, Reading reading);
    long sampleRate() const { return first.sampleRate; }
    int channels() const { return first.channels; }
    int bytesPerFrame() const { return first.channels * 2; }
    // From a Xing/Info frame count, else from the audio's size and the first frame's bit rate.
    double lengthSeconds() const { return length; }
    // Decodes up to capacity bytes (whole sample frames); 0 at the end of the track or after an
    // error.
    std::size_t read(unsigned char* buffer, std::size_t capacity);
    // Moves to about the given time (by the first frame's bit rate); the position reached in
    // milliseconds, or -1 when there is no frame there.
    std::int64_t seekMilliseconds(std::int64_t milliseconds);

private:
    bool openStream();
    void closeStream();
    void positionAt(std::size_t offset);
    bool convert();

    HACMSTREAM stream = nullptr;
    ACMSTREAMHEADER header{};
    bool headerPrepared = false;
    FrameHeader first;
    std::uint64_t audioStart = 0;
    double length = 0.0;
    std::vector<unsigned char> file;  // the whole file when playing
    std::size_t readPosition = 0;
    std::vector<unsigned char> source;
    std::vector<unsigned char> decoded;
    std::size_t sourceFill = 0;
    std::size_t decodedStart = 0;
    std::size_t decodedEnd = 0;
    bool inputDone = false;
    bool finished = false;
};
