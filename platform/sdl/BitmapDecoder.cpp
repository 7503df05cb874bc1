// Bitmap conversion through SDL's BMP reader, the file read in place and flipped into bottom-up,
// 4-byte padded BGR rows. SDL shows the pixels that run-length escapes pass over in the colour
// table's first colour; they are put back to black here, as the system's conversion leaves them.
// 16- and 32-bit pixels go through the shared bit-field decoder: SDL refuses unusual masks.
#include "platform/BitmapDecoder.h"

#include <SDL.h>

#include <climits>
#include <cstring>
#include <new>
#include <vector>

#include "platform/BitmapBitFields.h"
#include "platform/BitmapFormat.h"
#include "platform/BitmapRunLength.h"

namespace platform {

namespace {

// Blackens the pixels of a run-length file that its stream never paints: everything between one
// painted span and the next, in raster order from the bottom row.
void blackenSkippedPixels(const unsigned char* fileBytes, std::size_t size,
                          const bmp::Layout& layout, DecodedBitmap& bitmap) {
    if (!layout.runLength() || layout.pixelOffset >= size) return;
    std::vector<bmp::PaintedSpan> spans;
    bmp::markRunLengthPixels(fileBytes + layout.pixelOffset, size - layout.pixelOffset,
                             bitmap.width, bitmap.height,
                             layout.compression == bmp::compressionRle4, spans);
    const std::size_t width = static_cast<std::size_t>(bitmap.width);
    const auto blacken = [&](std::size_t from, std::size_t to) {
        while (from < to) {
            const std::size_t y = from / width, x = from % width;
            const std::size_t count = to - from < width - x ? to - from : width - x;
            std::memset(bitmap.rows + y * bitmap.rowBytes + x * 3, 0, count * 3);
            from += count;
        }
    };
    std::size_t pen = 0;
    for (const bmp::PaintedSpan& span : spans) {
        const std::size_t start = static_cast<std::size_t>(span.y) * width + span.x;
        blacken(pen, start);
        pen = start + span.count;
    }
    blacken(pen, width * bitmap.height);
}

}  // namespace

bool decodeBitmapTo24(const unsigned char* fileBytes, std::size_t size, DecodedBitmap* out) {
    if (!out || !fileBytes || size == 0 || size > static_cast<std::size_t>(INT_MAX)) return false;
    *out = DecodedBitmap();
    bmp::Layout layout;
    if (!bmp::readFileLayout(fileBytes, size, &layout)) return false;
    if (layout.maskedChannels()) return bmp::decodeBitFields(fileBytes, layout, out);

    SDL_RWops* stream = SDL_RWFromConstMem(fileBytes, static_cast<int>(size));
    if (!stream) return false;
    SDL_Surface* loaded = SDL_LoadBMP_RW(stream, 1);
    if (!loaded) return false;
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_BGR24, 0);
    SDL_FreeSurface(loaded);
    if (!converted) return false;

    bool ok = false;
    const int width = converted->w;
    const int height = converted->h;
    if (width > 0 && height > 0 && width <= (INT_MAX - 3) / 3) {
        const int rowBytes = (width * 3 + 3) & ~3;
        unsigned char* rows =
            new (std::nothrow) unsigned char[static_cast<std::size_t>(rowBytes) * height];
        if (rows && SDL_LockSurface(converted) == 0) {
            const unsigned char* source = static_cast<const unsigned char*>(converted->pixels);
            for (int y = 0; y < height; ++y) {
                // The surface is top-down; the device-independent layout starts at the bottom.
                unsigned char* target = rows + static_cast<std::size_t>(height - 1 - y) * rowBytes;
                std::memcpy(target, source + static_cast<std::size_t>(y) * converted->pitch,
                            static_cast<std::size_t>(width) * 3);
                std::memset(target + width * 3, 0, static_cast<std::size_t>(rowBytes - width * 3));
            }
            SDL_UnlockSurface(converted);
            out->width = width;
            out->height = height;
            out->rowBytes = rowBytes;
            out->rows = rows;
            blackenSkippedPixels(fileBytes, size, layout, *out);
            ok = true;
        } else {
            delete[] rows;
        }
    }
    SDL_FreeSurface(converted);
    return ok;
}

void releaseDecodedBitmap(DecodedBitmap* bitmap) {
    if (!bitmap) return;
    delete[] bitmap->rows;
    *bitmap = DecodedBitmap();
}

}  // namespace platform
