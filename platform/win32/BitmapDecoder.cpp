// Bitmap conversion through GDI: the file's own header and colour table describe its pixels to
// StretchDIBits, which draws them into a 24-bit bottom-up DIB section; that section's rows are the
// result. Before GDI sees anything the header, colour table and pixel extent are checked against
// the file's real size, and run-length data is given its true length, so GDI never reads past it.
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "platform/BitmapDecoder.h"
#include "platform/BitmapFormat.h"
#include "platform/win32/Win32Handles.h"

namespace platform {

namespace {

// Draws the source into a new 24-bit DIB section and copies its rows out.
bool convert(const BITMAPINFO* source, const unsigned char* pixels, int width, int rows,
             DecodedBitmap* out) {
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
        const int drawn = StretchDIBits(memory, 0, 0, width, rows, 0, 0, width, rows, pixels,
                                        source, DIB_RGB_COLORS, SRCCOPY);
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
    bmp::Layout layout;
    if (!bmp::readFileLayout(fileBytes, size, &layout)) return false;
    if (layout.tableBytes > size - bmp::fileHeaderSize - layout.headerSize)
        return false;  // GDI reads it all
    const std::int64_t rows = layout.height < 0 ? -layout.height : layout.height;

    // The header and table, copied to aligned memory where the run length can be set to the truth.
    std::vector<DWORD> info(
        (layout.headerSize + layout.tableBytes + sizeof(DWORD) - 1) / sizeof(DWORD) + 1, 0);
    std::memcpy(info.data(), fileBytes + bmp::fileHeaderSize,
                layout.headerSize + layout.tableBytes);
    auto* header = reinterpret_cast<BITMAPINFO*>(info.data());
    if (layout.headerSize >= bmp::infoHeaderSize && layout.runLength())
        header->bmiHeader.biSizeImage = static_cast<DWORD>(size - layout.pixelOffset);

    return convert(header, fileBytes + layout.pixelOffset, static_cast<int>(layout.width),
                   static_cast<int>(rows), out);
}

void releaseDecodedBitmap(DecodedBitmap* bitmap) {
    if (bitmap == nullptr) return;
    delete[] bitmap->rows;
    *bitmap = DecodedBitmap();
}

}  // namespace platform
