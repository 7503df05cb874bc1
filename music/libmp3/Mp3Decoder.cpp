// An MP3 file decoded by libmpg123 into signed 16-bit native-endian PCM of one fixed format, read
// from its bytes in memory (a mapped file or a buffer handed over). Never calls mpg123_scan: a
// hostile file could make a full scan arbitrarily slow, and the length estimate from its tags or
// bit rate is all anyone here needs.
#include "music/libmp3/Mp3Decoder.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <mpg123.h>
#include <mutex>

// Reads that produce nothing without reporting an end; after this many the stream is given up.
constexpr int maxEmptyReads = 64;

namespace {

void initialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

mpg123_ssize_t readStream(void* handle, void* buffer, std::size_t count) {
    auto* stream = static_cast<Mp3Decoder::MemoryStream*>(handle);
    const std::size_t left = stream->position < stream->size ? stream->size - stream->position : 0;
    if (count > left) count = left;
    if (count > 0) std::memcpy(buffer, stream->bytes + stream->position, count);
    stream->position += count;
    return static_cast<mpg123_ssize_t>(count);
}

// Like lseek on a file: any position from the start on, past the end included (reads there give
// nothing); -1 for a position before the start or out of range.
off_t seekStream(void* handle, off_t offset, int whence) {
    auto* stream = static_cast<Mp3Decoder::MemoryStream*>(handle);
    off_t base = 0;
    if (whence == SEEK_CUR)
        base = static_cast<off_t>(stream->position);
    else if (whence == SEEK_END)
        base = static_cast<off_t>(stream->size);
    else if (whence != SEEK_SET)
        return -1;
    if (offset < -base || offset > std::numeric_limits<off_t>::max() - base) return -1;
    stream->position = static_cast<std::size_t>(base + offset);
    return base + offset;
}

}  // namespace

Mp3Decoder::Mp3Decoder() {
    initialiseOnce();
    int error = MPG123_OK;
    handle = mpg123_new(nullptr, &error);
    if (handle == nullptr) return;
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    // Only 16-bit output, at whatever rate and channel count the stream has.
    mpg123_format_none(handle);
    const long* rates = nullptr;
    std::size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (std::size_t i = 0; i < rateCount; ++i)
        mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
}

Mp3Decoder::~Mp3Decoder() {
    if (handle == nullptr) return;
    mpg123_close(handle);
    mpg123_delete(handle);
}

bool Mp3Decoder::open(const char* path) {
    if (handle == nullptr || path == nullptr || rate != 0 || file.data() != nullptr) return false;
    if (!file.open(path)) return false;
    return openBytes(file.data(), file.size());
}

bool Mp3Decoder::openBytes(const unsigned char* bytes, std::size_t size) {
    if (handle == nullptr || bytes == nullptr || rate != 0) return false;
    stream = MemoryStream{bytes, size, 0};
    if (mpg123_replace_reader_handle(handle, readStream, seekStream, nullptr) != MPG123_OK ||
        mpg123_open_handle(handle, &stream) != MPG123_OK)
        return false;
    long foundRate = 0;
    int foundChannels = 0;
    int encoding = 0;
    if (mpg123_getformat(handle, &foundRate, &foundChannels, &encoding) != MPG123_OK) return false;
    if (foundRate <= 0 || (foundChannels != 1 && foundChannels != 2) ||
        encoding != MPG123_ENC_SIGNED_16)
        return false;
    // Pin the output to this format: later format changes are converted by the decoder or refused.
    mpg123_format_none(handle);
    mpg123_format(handle, foundRate, foundChannels, MPG123_ENC_SIGNED_16);
    rate = foundRate;
    channelCount = foundChannels;
    return true;
}

double Mp3Decoder::lengthSeconds() {
    if (rate == 0) return 0.0;
    const off_t samples = mpg123_length(handle);
    if (samples <= 0) return 0.0;
    return static_cast<double>(samples) / static_cast<double>(rate);
}

std::size_t Mp3Decoder::read(unsigned char* buffer, std::size_t capacity) {
    if (rate == 0 || finished || buffer == nullptr) return 0;
    capacity -= capacity % static_cast<std::size_t>(bytesPerFrame());
    if (capacity == 0) return 0;
    for (int empty = 0; empty < maxEmptyReads; ++empty) {
        std::size_t done = 0;
        const int result = mpg123_read(handle, buffer, capacity, &done);
        if (result == MPG123_NEW_FORMAT) {
            long newRate = 0;
            int newChannels = 0;
            int encoding = 0;
            mpg123_getformat(handle, &newRate, &newChannels, &encoding);
            if (newRate != rate || newChannels != channelCount || encoding != MPG123_ENC_SIGNED_16)
                break;
        } else if (result != MPG123_OK && result != MPG123_DONE) {
            break;
        }
        done -= done % static_cast<std::size_t>(bytesPerFrame());
        if (done > 0) return done;
        if (result == MPG123_DONE) break;
    }
    finished = true;
    return 0;
}

std::int64_t Mp3Decoder::seekMilliseconds(std::int64_t milliseconds) {
    if (rate == 0 || milliseconds < 0) return -1;
    const off_t target = static_cast<off_t>(milliseconds * rate / 1000);
    const off_t reached = mpg123_seek(handle, target, SEEK_SET);
    if (reached < 0) return -1;
    finished = false;
    return static_cast<std::int64_t>(reached) * 1000 / rate;
}
