// The BMP header checks that every bitmap decoder makes before it touches pixel data.
#include "platform/BitmapLayout.h"

#include <climits>

#include "platform/BitmapFormat.h"
#include "platform/LittleEndian.h"

namespace platform::bmp {
namespace {

constexpr std::uint32_t largestHeaderSize = 124;
constexpr std::int64_t largestSide = 16384;
constexpr std::int64_t largestPixelCount = std::int64_t(1) << 26;

// pixelStart: where the pixel data begins, counted from the header.
bool readHeader(const unsigned char* header, std::size_t available, std::size_t pixelStart, TableRule rule,
                Layout* layout) {
    if (available < 4) return false;
    layout->headerSize = loadLE32(header);
    if (layout->headerSize < coreHeaderSize || layout->headerSize > largestHeaderSize ||
        layout->headerSize > available)
        return false;
    if (layout->headerSize == coreHeaderSize) {
        layout->width = loadLE16(header + 4);
        layout->height = loadLE16(header + 6);
        layout->bitsPerPixel = loadLE16(header + 10);
        layout->compression = compressionRgb;
        layout->tableEntries = layout->bitsPerPixel <= 8 ? std::size_t(1) << layout->bitsPerPixel : 0;
        layout->entryBytes = 3;
    } else {
        if (layout->headerSize < infoHeaderSize) return false;
        layout->width = static_cast<std::int32_t>(loadLE32(header + 4));
        layout->height = static_cast<std::int32_t>(loadLE32(header + 8));
        layout->bitsPerPixel = loadLE16(header + 14);
        layout->compression = loadLE32(header + 16);
        const std::uint32_t coloursUsed = loadLE32(header + 32);
        if (layout->bitsPerPixel <= 8) {
            const std::size_t most = std::size_t(1) << layout->bitsPerPixel;
            layout->tableEntries = coloursUsed == 0 || coloursUsed > most ? most : coloursUsed;
        } else {
            layout->tableEntries = coloursUsed > 256 ? 256 : coloursUsed;
        }
        layout->entryBytes = 4;
    }
    if (!depthAndEncodingKnown(layout->bitsPerPixel, layout->compression)) return false;
    const bool masksFollow = layout->headerSize == infoHeaderSize && layout->compression == compressionBitfields;
    const std::size_t maskBytes = masksFollow ? 12 : 0;
    if (rule == TableRule::whatIsStored) {
        const std::size_t room = pixelStart > layout->headerSize + maskBytes ? pixelStart - layout->headerSize - maskBytes : 0;
        if (layout->tableEntries > room / layout->entryBytes) layout->tableEntries = room / layout->entryBytes;
    }
    layout->tableBytes = layout->tableEntries * layout->entryBytes + maskBytes;
    if (layout->tableBytes > available - layout->headerSize) return false;
    layout->rows = layout->height < 0 ? -layout->height : layout->height;
    if (layout->width <= 0 || layout->rows == 0 || layout->width > largestSide || layout->rows > largestSide ||
        layout->width * layout->rows > largestPixelCount)
        return false;
    // Run-length data is always stored bottom-up.
    layout->runLength = layout->compression == compressionRle8 || layout->compression == compressionRle4;
    return !(layout->runLength && layout->height < 0);
}

}  // namespace

bool readLayout(const unsigned char* file, std::size_t size, Layout* layout, TableRule rule) {
    if (file == nullptr || size < fileHeaderSize || size > static_cast<std::size_t>(INT_MAX) || file[0] != 'B' ||
        file[1] != 'M')
        return false;
    layout->pixelOffset = loadLE32(file + 10);
    const std::size_t pixelStart = layout->pixelOffset > fileHeaderSize ? layout->pixelOffset - fileHeaderSize : 0;
    if (!readHeader(file + fileHeaderSize, size - fileHeaderSize, pixelStart, rule, layout)) return false;
    if (layout->pixelOffset >= size) return false;
    layout->pixelBytes = size - layout->pixelOffset;
    if (!layout->runLength) {
        const std::uint64_t stride = ((std::uint64_t(layout->bitsPerPixel) * layout->width + 31) / 32) * 4;
        if (stride * layout->rows > layout->pixelBytes) return false;
    }
    return true;
}

}  // namespace platform::bmp
