// MPEG-1/2/2.5 Layer III frame headers: just enough of the format to find a file's first frame,
// describe the stream to the system's codec and estimate the track's length. Pure functions over
// byte ranges the caller owns; nothing here reads past the length it is given.
#pragma once

#include <cstddef>
#include <cstdint>

struct FrameHeader {
    int sampleRate = 0;       // Hz
    int channels = 0;         // 1 or 2
    int bitRate = 0;          // bits per second
    int samplesPerFrame = 0;  // 1152 for MPEG-1, 576 for MPEG-2 and 2.5
    bool mpeg1 = false;
    std::size_t length = 0;  // bytes in the whole frame, header included
};

// Decodes the 4-byte header at p; false unless it is a valid Layer III header.
bool parseFrameHeader(const unsigned char* p, std::size_t available, FrameHeader* header);

// Size of an ID3v2 tag at the start of data (header and footer included), 0 when there is none.
std::size_t id3v2TagSize(const unsigned char* data, std::size_t size);

// Offset of the first frame in data whose header is valid and, when the next frame lies within
// data, is followed by a frame of the same rate and channels; -1 when there is none.
long long findFirstFrame(const unsigned char* data, std::size_t size, FrameHeader* header);

// Frames counted by a Xing or Info tag in the first frame (at frame, available bytes); 0 when none.
std::uint32_t taggedFrameCount(const unsigned char* frame, std::size_t available,
                               const FrameHeader& header);
