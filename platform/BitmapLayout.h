// What a BMP file's headers say about its pixels, checked against the file's real size before any
// decoder reads them: header kind, size, depth, encoding, colour table and pixel extent.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::bmp {

struct Layout {
    std::uint32_t headerSize;  // info header and its variants, or the core header
    std::int64_t width;
    std::int64_t height;  // negative for top-down rows
    std::int64_t rows;    // the height's size
    unsigned bitsPerPixel;
    std::uint32_t compression;
    std::size_t tableEntries;  // colour table entries
    std::size_t entryBytes;    // 3 in a core header's table, 4 otherwise
    std::size_t tableBytes;    // colour table, and the three masks of a bit-field info header
    std::size_t pixelOffset;   // from the start of the file
    std::size_t pixelBytes;    // from pixelOffset to the end of the file
    bool runLength;
};

// How a colour table shorter than its header says is taken: refused, for a decoder that hands the
// header to the system, which would read the whole table; or cut to the entries stored before the
// pixel data, for a decoder of our own, which draws the missing entries black.
enum class TableRule { whole, whatIsStored };

// False for anything that is not a BMP file a decoder can convert safely: a missing "BM", an
// unknown header, depth or encoding, a table or (uncompressed) pixel rows beyond the file's end,
// sizes beyond reason, top-down run-length data.
bool readLayout(const unsigned char* file, std::size_t size, Layout* layout, TableRule rule = TableRule::whole);

}  // namespace platform::bmp
