// The layout of BMP files as far as our readers check it: header sizes, encodings, and which depth
// goes with which encoding.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::bmp {

constexpr std::size_t fileHeaderSize = 14;
constexpr std::uint32_t coreHeaderSize = 12;
constexpr std::uint32_t infoHeaderSize = 40;

// The largest side of an image any decoder converts, on every system, so that a file costs what
// it holds: 4096 x 4096 pixels are 48 MiB at 24 bits. Run-length data can declare an image of any
// size in two bytes (an end-of-bitmap escape leaves the rest black), so for it this side is the
// only bound. Eight times the side of our largest texture; larger pictures are scaled down anyway
// to fit the texture sizes GL drivers take.
constexpr std::int64_t maxSide = 4096;

constexpr std::uint32_t compressionRgb = 0;
constexpr std::uint32_t compressionRle8 = 1;
constexpr std::uint32_t compressionRle4 = 2;
constexpr std::uint32_t compressionBitfields = 3;

// The depths and encodings of device-independent bitmaps; anything else (JPEG or PNG inside a
// bitmap, run-length encoding at the wrong depth) is not converted.
inline bool depthAndEncodingKnown(unsigned bitsPerPixel, std::uint32_t compression) {
    switch (compression) {
        case compressionRgb:
            return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 ||
                   bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
        case compressionRle8:
            return bitsPerPixel == 8;
        case compressionRle4:
            return bitsPerPixel == 4;
        case compressionBitfields:
            return bitsPerPixel == 16 || bitsPerPixel == 32;
        default:
            return false;
    }
}

// What a file's headers say, in one form for both header kinds.
struct Layout {
    std::uint32_t headerSize;
    std::int64_t width;
    std::int64_t height;  // negative for top-down rows
    unsigned bitsPerPixel;
    std::uint32_t compression;
    std::size_t tableEntries;  // colour table entries the header implies
    std::size_t entryBytes;    // 3 in a core header's table, 4 otherwise
    std::size_t tableBytes;    // colour table as the header implies it, and the three masks of a
                               // bit-field info header
    std::size_t pixelOffset;   // where the pixels start in the file

    bool runLength() const {
        return compression == compressionRle8 || compression == compressionRle4;
    }
    std::int64_t rows() const { return height < 0 ? -height : height; }
};

// Reads and checks a whole file's headers against its size: a known header, depth and encoding,
// (for uncompressed pixels) every row inside the file, sides of 1 to maxSide pixels, and run-length
// data stored bottom-up. False for anything a decoder must refuse. The colour table is not checked
// against the file: a decoder that copies tableBytes checks that they are there.
bool readFileLayout(const unsigned char* file, std::size_t size, Layout* layout);

}  // namespace platform::bmp
