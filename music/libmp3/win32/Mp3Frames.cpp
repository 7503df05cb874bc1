// MPEG audio Layer III frame headers, ID3v2 tag skipping and the Xing/Info frame count.
#include "music/libmp3/win32/Mp3Frames.h"

#include <cstring>

namespace {

// Kilobits per second by bit-rate index, Layer III.
constexpr int mpeg1Rates[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr int mpeg2Rates[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr int sampleRates[3][3] = {
    {44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
constexpr std::size_t id3HeaderSize = 10;

std::uint32_t bigEndian32(const unsigned char* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 |
           std::uint32_t(p[3]);
}

}  // namespace

bool parseFrameHeader(const unsigned char* p, std::size_t available, FrameHeader* header) {
    if (available < 4 || p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return false;
    const int version = (p[1] >> 3) & 3;  // 0: MPEG-2.5, 1: reserved, 2: MPEG-2, 3: MPEG-1
    const int layer = (p[1] >> 1) & 3;    // 1: Layer III
    const int rateIndex = p[2] >> 4;
    const int frequencyIndex = (p[2] >> 2) & 3;
    if (version == 1 || layer != 1 || rateIndex == 0 || rateIndex == 15 || frequencyIndex == 3)
        return false;
    FrameHeader found;
    found.mpeg1 = version == 3;
    found.bitRate = (found.mpeg1 ? mpeg1Rates : mpeg2Rates)[rateIndex] * 1000;
    found.sampleRate = sampleRates[found.mpeg1 ? 0 : version == 2 ? 1 : 2][frequencyIndex];
    found.channels = (p[3] >> 6) == 3 ? 1 : 2;
    found.samplesPerFrame = found.mpeg1 ? 1152 : 576;
    const int padding = (p[2] >> 1) & 1;
    found.length = static_cast<std::size_t>(
        (found.mpeg1 ? 144 : 72) * found.bitRate / found.sampleRate + padding);
    if (header != nullptr) *header = found;
    return true;
}

std::size_t id3v2TagSize(const unsigned char* data, std::size_t size) {
    if (size < id3HeaderSize || std::memcmp(data, "ID3", 3) != 0) return 0;
    for (int i = 6; i < 10; ++i)
        if (data[i] & 0x80) return 0;  // sizes are four 7-bit bytes
    const std::size_t body = std::size_t(data[6]) << 21 | std::size_t(data[7]) << 14 |
                             std::size_t(data[8]) << 7 | std::size_t(data[9]);
    const bool footer = (data[5] & 0x10) != 0;
    return id3HeaderSize + body + (footer ? id3HeaderSize : 0);
}

long long findFirstFrame(const unsigned char* data, std::size_t size, FrameHeader* header) {
    for (std::size_t at = 0; at + 4 <= size; ++at) {
        FrameHeader candidate;
        if (!parseFrameHeader(data + at, size - at, &candidate)) continue;
        const std::size_t next = at + candidate.length;
        if (next + 4 <= size) {
            FrameHeader following;
            if (!parseFrameHeader(data + next, size - next, &following) ||
                following.sampleRate != candidate.sampleRate ||
                following.channels != candidate.channels)
                continue;
        }
        if (header != nullptr) *header = candidate;
        return static_cast<long long>(at);
    }
    return -1;
}

std::uint32_t taggedFrameCount(const unsigned char* frame, std::size_t available,
                               const FrameHeader& header) {
    // The tag follows the side information, whose size depends on the version and channels.
    const std::size_t sideInfo =
        header.mpeg1 ? (header.channels == 1 ? 17 : 32) : (header.channels == 1 ? 9 : 17);
    const std::size_t at = 4 + sideInfo;
    if (available < at + 12 || header.length < at + 12) return 0;
    if (std::memcmp(frame + at, "Xing", 4) != 0 && std::memcmp(frame + at, "Info", 4) != 0)
        return 0;
    const std::uint32_t flags = bigEndian32(frame + at + 4);
    return (flags & 1) ? bigEndian32(frame + at + 8) : 0;
}
