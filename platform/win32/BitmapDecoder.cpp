// Bitmap conversion through GDI: the file's header, as a plain info header, and its colour table
// describe its pixels to StretchDIBits, which draws them into a 24-bit bottom-up DIB section whose
// rows are the result; all is first checked against the file's real size, so GDI never reads past
// it. 16- and 32-bit pixels go through the shared bit-field decoder, so they widen as elsewhere.
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "platform/BitmapBitFields.h"
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
    if (layout.maskedChannels()) return bmp::decodeBitFields(fileBytes, layout, out);
    const std::size_t tableAt = bmp::fileHeaderSize + layout.headerSize;
    if (layout.tableBytes > size - tableAt) return false;  // GDI reads it all
    const std::int64_t rows = layout.height < 0 ? -layout.height : layout.height;

    // GDI gets a plain info header (or the core one) whatever size the file's has: the larger ones
    // add masks, colour spaces and profiles, which these depths do not use and which GDIs read
    // differently. The copy sits in aligned memory, where the run length can be set to the truth.
    const std::size_t headerBytes =
        layout.headerSize == bmp::coreHeaderSize ? bmp::coreHeaderSize : bmp::infoHeaderSize;
    std::vector<DWORD> info(
        (headerBytes + layout.tableBytes + sizeof(DWORD) - 1) / sizeof(DWORD) + 1, 0);
    auto* bytes = reinterpret_cast<unsigned char*>(info.data());
    std::memcpy(bytes, fileBytes + bmp::fileHeaderSize, headerBytes);
    std::memcpy(bytes + headerBytes, fileBytes + tableAt, layout.tableBytes);
    auto* header = reinterpret_cast<BITMAPINFO*>(info.data());
    if (headerBytes == bmp::infoHeaderSize) {
        header->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        if (layout.runLength())
            header->bmiHeader.biSizeImage = static_cast<DWORD>(size - layout.pixelOffset);
    }

    return convert(header, fileBytes + layout.pixelOffset, static_cast<int>(layout.width),
                   static_cast<int>(rows), out);
}

void releaseDecodedBitmap(DecodedBitmap* bitmap) {
    if (bitmap == nullptr) return;
    delete[] bitmap->rows;
    *bitmap = DecodedBitmap();
}

}  // namespace platform
