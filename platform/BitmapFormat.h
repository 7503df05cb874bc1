// The layout of BMP files as far as our readers check it: header sizes, encodings, channel masks,
// and which depth goes with which encoding.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::bmp {

constexpr std::size_t fileHeaderSize = 14;
// The header sizes a bitmap may carry. Beyond the info header's 40 bytes: the three channel masks
// (52), an alpha mask (56), a colour space (108), a rendering intent and colour profile (124); the
// OS/2 2.x header (64) adds fields of its own after the info header's and no masks.
constexpr std::uint32_t coreHeaderSize = 12;
constexpr std::uint32_t infoHeaderSize = 40;
constexpr std::uint32_t v2HeaderSize = 52;
constexpr std::uint32_t v3HeaderSize = 56;
constexpr std::uint32_t os2HeaderSize = 64;
constexpr std::uint32_t v4HeaderSize = 108;
constexpr std::uint32_t v5HeaderSize = 124;

// The largest side of an image any decoder converts, on every system, so that a file costs what
// it holds: 4096 x 4096 pixels are 48 MiB at 24 bits. Run-length data can declare an image of any
// size in two bytes (an end-of-bitmap escape leaves the rest black), so for it this side is the
// only bound. Eight times the side of our largest texture; larger pictures are scaled down anyway
// to fit the texture sizes GL drivers take.
constexpr std::int64_t maxSide = 4096;

constexpr std::uint32_t compressionRgb = 0;
constexpr std::uint32_t compressionRle8 = 1;
constexpr std::uint32_t compressionRle4 = 2;
constexpr std::uint32_t compressionBitfields = 3;  // in an OS/2 2.x header: Huffman coding

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

// What a file's headers say, in one form for every header kind.
struct Layout {
    std::uint32_t headerSize;
    std::int64_t width;
    std::int64_t height;  // negative for top-down rows
    unsigned bitsPerPixel;
    std::uint32_t compression;
    std::uint32_t coloursUsed;     // the header's own count, 0 in a core header
    std::size_t tableEntries;      // colour table entries the header implies
    std::size_t entryBytes;        // 3 in a core header's table, 4 otherwise
    std::size_t masksAfterHeader;  // 12 where a plain info header's bit-field masks follow it
    std::size_t tableBytes;        // those masks and the colour table as the header implies it
    // Where the red, green and blue bits of a 16- or 32-bit pixel sit: the file's own masks for
    // bit-fields, 5-5-5 or 8-8-8 otherwise. Each is contiguous (or empty) and inside the pixel.
    std::uint32_t masks[3];
    std::size_t pixelOffset;  // where the pixels start in the file

    bool runLength() const {
        return compression == compressionRle8 || compression == compressionRle4;
    }
    // 16 and 32 bits a pixel: channels picked out by masks rather than looked up in a table.
    bool maskedChannels() const { return bitsPerPixel == 16 || bitsPerPixel == 32; }
    std::int64_t rows() const { return height < 0 ? -height : height; }
};

enum class HeaderCheck {
    usable,
    unknownSize,  // no header we know has this size
    unusable,     // a known header whose image no decoder converts, or cut short
};

// Reads the bitmap header that starts at header (after the file header, or at the start of a bare
// bitmap) with available bytes from there to the end of the data, and checks it: a known size,
// depth and encoding, channel masks that are contiguous and inside the pixel, sides of 1 to
// maxSide pixels, and run-length data stored bottom-up. The colour space and colour profile of
// the larger headers are not read. pixelOffset is left for the caller.
HeaderCheck readBitmapHeader(const unsigned char* header, std::size_t available, Layout* layout);

// Reads and checks a whole file's headers against its size: readBitmapHeader's checks and (for
// uncompressed pixels) every row inside the file. False for anything a decoder must refuse. The
// colour table is not checked against the file: a decoder that copies tableBytes checks that they
// are there.
bool readFileLayout(const unsigned char* file, std::size_t size, Layout* layout);

}  // namespace platform::bmp
