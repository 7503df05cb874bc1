// Bitmap conversion through GDI: the file's own header and colour table describe its pixels to
// StretchDIBits, which draws them into a 24-bit bottom-up DIB section; that section's rows are the
// result. Before GDI sees anything the header, colour table and pixel extent are checked against
// the file's real size, and run-length data is given its true length, so GDI never reads past it.
#include <climits>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "platform/BitmapDecoder.h"
#include "platform/BitmapFormat.h"
#include "platform/LittleEndian.h"
#include "platform/win32/Win32Handles.h"

namespace platform {

// Constants

namespace {

using namespace bmp;

constexpr std::uint32_t largestHeaderSize = 124;
constexpr std::int64_t largestSide = 16384;
constexpr std::int64_t largestPixelCount = std::int64_t(1) << 26;

// Types

// What the header says, in one form for both header kinds.
struct Layout {
    std::uint32_t headerSize;
    std::int64_t width;
    std::int64_t height;  // negative for top-down rows
    unsigned bitsPerPixel;
    std::uint32_t compression;
    std::size_t tableBytes;  // colour table, and the three masks of a bit-field info header
};

// Functions

bool readLayout(const unsigned char* header, std::size_t available, Layout* layout) {
    if (available < 4) return false;
    layout->headerSize = loadLE32(header);
    if (layout->headerSize < coreHeaderSize || layout->headerSize > largestHeaderSize ||
        layout->headerSize > available)
        return false;
    std::size_t entries;
    std::size_t entryBytes;
    if (layout->headerSize == coreHeaderSize) {
        layout->width = loadLE16(header + 4);
        layout->height = loadLE16(header + 6);
        layout->bitsPerPixel = loadLE16(header + 10);
        layout->compression = BI_RGB;
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
    const bool masksFollow = layout->headerSize == infoHeaderSize && layout->compression == BI_BITFIELDS;
    layout->tableBytes = entries * entryBytes + (masksFollow ? 12 : 0);
    if (layout->tableBytes > available - layout->headerSize) return false;
    const std::int64_t rows = layout->height < 0 ? -layout->height : layout->height;
    if (layout->width <= 0 || rows == 0 || layout->width > largestSide || rows > largestSide ||
        layout->width * rows > largestPixelCount)
        return false;
    // Run-length data is always stored bottom-up.
    const bool runLength = layout->compression == BI_RLE8 || layout->compression == BI_RLE4;
    return !(runLength && layout->height < 0);
}

// Draws the source into a new 24-bit DIB section and copies its rows out.
bool convert(const BITMAPINFO* source, const unsigned char* pixels, int width, int rows, DecodedBitmap* out) {
    const int rowBytes = (width * 3 + 3) & ~3;
    BITMAPINFO target{};
    target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    target.bmiHeader.biWidth = width;
    target.bmiHeader.biHeight = rows;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 24;
    target.bmiHeader.biCompression = BI_RGB;

    HDC memory = CreateCompatibleDC(nullptr);
    if (memory == nullptr) return false;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(memory, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (section != nullptr && bits != nullptr) {
        HGDIOBJ previous = SelectObject(memory, section);
        const std::size_t total = static_cast<std::size_t>(rowBytes) * rows;
        std::memset(bits, 0, total);  // pixels a run-length image skips stay black
        const int drawn = StretchDIBits(memory, 0, 0, width, rows, 0, 0, width, rows, pixels, source,
                                        DIB_RGB_COLORS, SRCCOPY);
        GdiFlush();
        if (drawn != 0 && drawn != static_cast<int>(GDI_ERROR)) {
            auto* copy = new (std::nothrow) unsigned char[total];
            if (copy != nullptr) {
                std::memcpy(copy, bits, total);
                out->width = width;
                out->height = rows;
                out->rowBytes = rowBytes;
                out->rows = copy;
                ok = true;
            }
        }
        SelectObject(memory, previous);
    }
    if (section != nullptr) DeleteObject(section);
    DeleteDC(memory);
    return ok;
}

}  // namespace

bool decodeBitmapTo24(const unsigned char* fileBytes, std::size_t size, DecodedBitmap* out) {
    if (out == nullptr) return false;
    *out = DecodedBitmap();
    if (fileBytes == nullptr || size < fileHeaderSize || size > static_cast<std::size_t>(INT_MAX) ||
        fileBytes[0] != 'B' || fileBytes[1] != 'M')
        return false;
    Layout layout;
    if (!readLayout(fileBytes + fileHeaderSize, size - fileHeaderSize, &layout)) return false;

    const std::size_t pixelOffset = loadLE32(fileBytes + 10);
    if (pixelOffset >= size) return false;
    const std::size_t pixelBytes = size - pixelOffset;
    const std::int64_t rows = layout.height < 0 ? -layout.height : layout.height;
    const bool runLength = layout.compression == BI_RLE8 || layout.compression == BI_RLE4;
    if (!runLength) {
        const std::uint64_t stride = ((std::uint64_t(layout.bitsPerPixel) * layout.width + 31) / 32) * 4;
        if (stride * rows > pixelBytes) return false;
    }

    // The header and table, copied to aligned memory where the run length can be set to the truth.
    std::vector<DWORD> info((layout.headerSize + layout.tableBytes + sizeof(DWORD) - 1) / sizeof(DWORD) + 1, 0);
    std::memcpy(info.data(), fileBytes + fileHeaderSize, layout.headerSize + layout.tableBytes);
    auto* header = reinterpret_cast<BITMAPINFO*>(info.data());
    if (layout.headerSize >= infoHeaderSize && runLength)
        header->bmiHeader.biSizeImage = static_cast<DWORD>(pixelBytes);

    return convert(header, fileBytes + pixelOffset, static_cast<int>(layout.width), static_cast<int>(rows), out);
}

void releaseDecodedBitmap(DecodedBitmap* bitmap) {
    if (bitmap == nullptr) return;
    delete[] bitmap->rows;
    *bitmap = DecodedBitmap();
}

}  // namespace platform
