// Bitmap conversion in plain C++, for systems without a bitmap converter of their own: every depth
// and encoding the checked headers allow (BitmapFormat.h), colour tables and run-length data, into
// 24-bit bottom-up rows; 16- and 32-bit pixels through the shared bit-field decoder. Pixels that
// run-length data skips stay black.
#include <cstring>
#include <new>

#include "platform/BitmapBitFields.h"
#include "platform/BitmapDecoder.h"
#include "platform/BitmapFormat.h"

namespace platform {
namespace {

using namespace bmp;

struct Colour {
    unsigned char blue, green, red;
};

// The image being written: rows bottom-up, 3 bytes a pixel.
struct Target {
    unsigned char* rows;
    int rowBytes;
    int width;
    int height;

    void put(int x, int y, Colour c) const {
        if (x < 0 || x >= width || y < 0 || y >= height) return;
        unsigned char* p =
            rows + static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x) * 3;
        p[0] = c.blue;
        p[1] = c.green;
        p[2] = c.red;
    }
};

class Palette {
public:
    // A table shorter than its header says is cut to the entries stored before the pixel data.
    Palette(const unsigned char* file, std::size_t tableStart, const Layout& layout)
        : table_(file + tableStart), entries_(layout.tableEntries), entryBytes_(layout.entryBytes) {
        const std::size_t room =
            layout.pixelOffset > tableStart ? layout.pixelOffset - tableStart : 0;
        if (entries_ > room / entryBytes_) entries_ = room / entryBytes_;
    }
    // An index past the table is black, as the system draws it.
    Colour operator[](std::size_t index) const {
        if (index >= entries_) return Colour{0, 0, 0};
        const unsigned char* entry = table_ + index * entryBytes_;
        return Colour{entry[0], entry[1], entry[2]};
    }

private:
    const unsigned char* table_;
    std::size_t entries_;
    std::size_t entryBytes_;
};

void decodeRows(const unsigned char* pixels, const Layout& layout, const Palette& palette,
                const Target& target) {
    const std::size_t stride = ((std::size_t(layout.bitsPerPixel) * layout.width + 31) / 32) * 4;
    for (int row = 0; row < target.height; ++row) {
        const unsigned char* source = pixels + stride * row;
        // Rows are stored bottom-up unless the height is negative.
        const int y = layout.height < 0 ? target.height - 1 - row : row;
        for (int x = 0; x < target.width; ++x) {
            Colour c{0, 0, 0};
            switch (layout.bitsPerPixel) {
                case 1:
                    c = palette[(source[x / 8] >> (7 - x % 8)) & 1];
                    break;
                case 4:
                    c = palette[(source[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF];
                    break;
                case 8:
                    c = palette[source[x]];
                    break;
                case 24:
                    c = Colour{source[3 * x], source[3 * x + 1], source[3 * x + 2]};
                    break;
                default:
                    break;
            }
            target.put(x, y, c);
        }
    }
}

// Run-length data: pairs of count and value, or an escape (0) followed by end of line (0), end of
// image (1), a move (2, dx, dy) or a literal run (n >= 3 pixels, padded to an even byte count).
void decodeRunLength(const unsigned char* data, std::size_t size, bool fourBits,
                     const Palette& palette, const Target& target) {
    std::size_t at = 0;
    int x = 0, y = 0;
    auto pixelOf = [fourBits](unsigned char byte, int k) {
        return fourBits ? (k % 2 == 0 ? byte >> 4 : byte & 0xF) : byte;
    };
    while (at + 1 < size && y < target.height) {
        const unsigned char count = data[at], value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k) target.put(x++, y, palette[pixelOf(value, k)]);
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (at + 1 >= size) return;
            x += data[at];
            y += data[at + 1];
            at += 2;
        } else {
            const std::size_t bytes = fourBits ? (value + 1u) / 2 : value;
            if (at + bytes > size) return;
            for (int k = 0; k < value; ++k)
                target.put(x++, y, palette[pixelOf(data[at + (fourBits ? k / 2 : k)], k)]);
            at += (bytes + 1) & ~std::size_t(1);
        }
    }
}

}  // namespace

bool decodeBitmapTo24(const unsigned char* fileBytes, std::size_t size, DecodedBitmap* out) {
    if (out == nullptr) return false;
    *out = DecodedBitmap();
    Layout layout;
    if (!readFileLayout(fileBytes, size, &layout)) return false;
    if (layout.maskedChannels()) return decodeBitFields(fileBytes, layout, out);
    const std::size_t tableStart = fileHeaderSize + layout.headerSize;

    Target target;
    target.width = static_cast<int>(layout.width);
    target.height = static_cast<int>(layout.rows());
    target.rowBytes = (target.width * 3 + 3) & ~3;
    const std::size_t total = static_cast<std::size_t>(target.rowBytes) * target.height;
    target.rows = new (std::nothrow) unsigned char[total];
    if (target.rows == nullptr) return false;
    std::memset(target.rows, 0, total);

    const Palette palette(fileBytes, tableStart, layout);
    const unsigned char* pixels = fileBytes + layout.pixelOffset;
    if (layout.runLength())
        decodeRunLength(pixels, size - layout.pixelOffset, layout.compression == compressionRle4,
                        palette, target);
    else
        decodeRows(pixels, layout, palette, target);

    out->width = target.width;
    out->height = target.height;
    out->rowBytes = target.rowBytes;
    out->rows = target.rows;
    return true;
}

void releaseDecodedBitmap(DecodedBitmap* bitmap) {
    if (bitmap == nullptr) return;
    delete[] bitmap->rows;
    *bitmap = DecodedBitmap();
}

}  // namespace platform
