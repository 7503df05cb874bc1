// The checks every bitmap decoder makes before it reads a pixel, so that each system's decoder
// refuses the same files.
#include "platform/BitmapFormat.h"

#include <climits>

#include "platform/LittleEndian.h"

namespace platform::bmp {

namespace {

bool sizeKnown(std::uint32_t headerSize) {
    switch (headerSize) {
        case coreHeaderSize:
        case infoHeaderSize:
        case v2HeaderSize:
        case v3HeaderSize:
        case os2HeaderSize:
        case v4HeaderSize:
        case v5HeaderSize:
            return true;
        default:
            return false;
    }
}

// One run of set bits, or none, and nothing a pixel of this depth does not hold.
bool maskUsable(std::uint32_t mask, unsigned bitsPerPixel) {
    if (bitsPerPixel < 32 && (mask >> bitsPerPixel) != 0) return false;
    if (mask == 0) return true;
    while ((mask & 1u) == 0) mask >>= 1;
    return (mask & (mask + 1)) == 0;
}

}  // namespace

HeaderCheck readBitmapHeader(const unsigned char* header, std::size_t available, Layout* layout) {
    if (available < 4) return HeaderCheck::unusable;
    layout->headerSize = loadLE32(header);
    if (!sizeKnown(layout->headerSize)) return HeaderCheck::unknownSize;
    if (layout->headerSize > available) return HeaderCheck::unusable;
    std::size_t& entries = layout->tableEntries;
    layout->masksAfterHeader = 0;
    if (layout->headerSize == coreHeaderSize) {
        layout->width = loadLE16(header + 4);
        layout->height = loadLE16(header + 6);
        layout->bitsPerPixel = loadLE16(header + 10);
        layout->compression = compressionRgb;
        layout->coloursUsed = 0;
        entries = layout->bitsPerPixel <= 8 ? std::size_t(1) << layout->bitsPerPixel : 0;
        layout->entryBytes = 3;
    } else {
        layout->width = static_cast<std::int32_t>(loadLE32(header + 4));
        layout->height = static_cast<std::int32_t>(loadLE32(header + 8));
        layout->bitsPerPixel = loadLE16(header + 14);
        layout->compression = loadLE32(header + 16);
        layout->coloursUsed = loadLE32(header + 32);
        if (layout->bitsPerPixel <= 8) {
            const std::size_t most = std::size_t(1) << layout->bitsPerPixel;
            entries =
                layout->coloursUsed == 0 || layout->coloursUsed > most ? most : layout->coloursUsed;
        } else {
            entries = layout->coloursUsed > 256 ? 256 : layout->coloursUsed;
        }
        layout->entryBytes = 4;
    }
    // OS/2 2.x numbers its encodings past run-length differently (Huffman, 24-bit runs); neither
    // is converted.
    if (!depthAndEncodingKnown(layout->bitsPerPixel, layout->compression) ||
        (layout->headerSize == os2HeaderSize && layout->compression > compressionRle4))
        return HeaderCheck::unusable;

    std::uint32_t* masks = layout->masks;
    if (layout->compression == compressionBitfields) {
        // The larger headers hold the masks at the place where a plain info header's follow it.
        if (layout->headerSize == infoHeaderSize) layout->masksAfterHeader = 12;
        if (available < infoHeaderSize + 12) return HeaderCheck::unusable;
        for (int i = 0; i < 3; ++i) masks[i] = loadLE32(header + infoHeaderSize + 4 * i);
        for (int i = 0; i < 3; ++i)
            if (!maskUsable(masks[i], layout->bitsPerPixel)) return HeaderCheck::unusable;
    } else if (layout->bitsPerPixel == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else {
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }
    // A table may be shorter than the header implies; SDL's reader takes the entries it finds.
    layout->tableBytes = layout->masksAfterHeader + entries * layout->entryBytes;

    const std::int64_t rows = layout->rows();
    if (layout->width <= 0 || rows == 0 || layout->width > maxSide || rows > maxSide)
        return HeaderCheck::unusable;
    // Run-length data is always stored bottom-up.
    if (layout->runLength() && layout->height < 0) return HeaderCheck::unusable;
    return HeaderCheck::usable;
}

bool readFileLayout(const unsigned char* file, std::size_t size, Layout* layout) {
    if (file == nullptr || size < fileHeaderSize || size > static_cast<std::size_t>(INT_MAX) ||
        file[0] != 'B' || file[1] != 'M')
        return false;
    if (readBitmapHeader(file + fileHeaderSize, size - fileHeaderSize, layout) !=
        HeaderCheck::usable)
        return false;
    layout->pixelOffset = loadLE32(file + 10);
    if (layout->pixelOffset >= size) return false;
    if (!layout->runLength()) {
        const std::uint64_t stride =
            ((std::uint64_t(layout->bitsPerPixel) * layout->width + 31) / 32) * 4;
        if (stride * layout->rows() > size - layout->pixelOffset) return false;
    }
    return true;
}

}  // namespace platform::bmp
