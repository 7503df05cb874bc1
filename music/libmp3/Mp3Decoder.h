// An MP3 file decoded by libmpg123 into signed 16-bit native-endian PCM of one fixed format.
// The file is hostile input: nothing here scans it whole, and every read ends at the end of the
// data or at the first error the decoder cannot get past.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/MappedFile.h"

struct mpg123_handle_struct;

class Mp3Decoder {
public:
    Mp3Decoder();
    ~Mp3Decoder();
    Mp3Decoder(const Mp3Decoder&) = delete;
    Mp3Decoder& operator=(const Mp3Decoder&) = delete;

    // Maps the file and opens its bytes; false when it is missing, empty or holds no MPEG audio.
    bool open(const char* path);
    // Opens a whole file already in memory and learns its format; false when it holds no MPEG
    // audio. The bytes must stay until the decoder goes.
    bool openBytes(const unsigned char* bytes, std::size_t size);
    long sampleRate() const { return rate; }
    int channels() const { return channelCount; }
    int bytesPerFrame() const { return channelCount * 2; }
    // The decoder's own length estimate in seconds (tags or size and bit rate), 0 when unknown.
    double lengthSeconds();
    // Decodes up to capacity bytes (whole sample frames); 0 at the end of the track or after an
    // error. Output keeps the format found by open: a stream that changes format mid-way ends
    // there.
    std::size_t read(unsigned char* buffer, std::size_t capacity);
    // Moves to the given time; returns the position reached in milliseconds, or -1 on failure.
    std::int64_t seekMilliseconds(std::int64_t milliseconds);

    // The decoder library's reader over the bytes: a position in memory that reads and seeks
    // like a file descriptor.
    struct MemoryStream {
        const unsigned char* bytes = nullptr;
        std::size_t size = 0;
        std::size_t position = 0;
    };

private:
    platform::MappedFile file;
    MemoryStream stream;
    mpg123_handle_struct* handle = nullptr;
    long rate = 0;
    int channelCount = 0;
    bool finished = false;
};
