// The checks every bitmap decoder makes before it reads a pixel, so that each system's decoder
// refuses the same files.
#include "platform/BitmapFormat.h"

#include <climits>

#include "platform/LittleEndian.h"

namespace platform::bmp {

namespace {

constexpr std::uint32_t largestHeaderSize = 124;

bool readHeaders(const unsigned char* header, std::size_t available, Layout* layout) {
    if (available < 4) return false;
    layout->headerSize = loadLE32(header);
    if (layout->headerSize < coreHeaderSize || layout->headerSize > largestHeaderSize ||
        layout->headerSize > available)
        return false;
    std::size_t& entries = layout->tableEntries;
    std::size_t& entryBytes = layout->entryBytes;
    if (layout->headerSize == coreHeaderSize) {
        layout->width = loadLE16(header + 4);
        layout->height = loadLE16(header + 6);
        layout->bitsPerPixel = loadLE16(header + 10);
        layout->compression = compressionRgb;
        entries = layout->bitsPerPixel <= 8 ? std::size_t(1) << layout->bitsPerPixel : 0;
        entryBytes = 3;
    } else {
        if (layout->headerSize < infoHeaderSize) return false;
        layout->width = static_cast<std::int32_t>(loadLE32(header + 4));
        layout->height = static_cast<std::int32_t>(loadLE32(header + 8));
        layout->bitsPerPixel = loadLE16(header + 14);
        layout->compression = loadLE32(header + 16);
        const std::uint32_t coloursUsed = loadLE32(header + 32);
        if (layout->bitsPerPixel <= 8) {
            const std::size_t most = std::size_t(1) << layout->bitsPerPixel;
            entries = coloursUsed == 0 || coloursUsed > most ? most : coloursUsed;
        } else {
            entries = coloursUsed > 256 ? 256 : coloursUsed;
        }
        entryBytes = 4;
    }
    if (!depthAndEncodingKnown(layout->bitsPerPixel, layout->compression)) return false;
    const bool masksFollow =
        layout->headerSize == infoHeaderSize && layout->compression == compressionBitfields;
    // A table may be shorter than the header implies; SDL's reader takes the entries it finds.
    layout->tableBytes = entries * entryBytes + (masksFollow ? 12 : 0);
    const std::int64_t rows = layout->rows();
    if (layout->width <= 0 || rows == 0 || layout->width > maxSide || rows > maxSide) return false;
    // Run-length data is always stored bottom-up.
    return !(layout->runLength() && layout->height < 0);
}

}  // namespace

bool readFileLayout(const unsigned char* file, std::size_t size, Layout* layout) {
    if (file == nullptr || size < fileHeaderSize || size > static_cast<std::size_t>(INT_MAX) ||
        file[0] != 'B' || file[1] != 'M')
        return false;
    if (!readHeaders(file + fileHeaderSize, size - fileHeaderSize, layout)) return false;
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
