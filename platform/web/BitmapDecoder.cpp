// Bitmap conversion in plain C++, for systems without a bitmap converter of their own: every depth
// and encoding the checked headers allow (BitmapFormat.h), colour tables, bit-field masks and
// run-length data, into 24-bit bottom-up rows. Pixels that run-length data skips stay black.
#include <cstring>
#include <new>

#include "platform/BitmapDecoder.h"
#include "platform/BitmapFormat.h"
#include "platform/LittleEndian.h"

namespace platform {
namespace {

using namespace bmp;

struct Colour {
    unsigned char blue, green, red;
};

// One channel of a bit-field pixel: where it sits and how to widen it to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (mask == 0) return;
        while (((mask >> shift) & 1u) == 0) ++shift;
        while (shift + bits < 32 && ((mask >> (shift + bits)) & 1u) != 0) ++bits;
    }
    unsigned char extract(std::uint32_t pixel) const {
        if (bits == 0) return 0;
        const std::uint32_t value = (pixel & mask) >> shift;
        if (bits >= 8) return static_cast<unsigned char>(value >> (bits - 8));
        const std::uint32_t top = (1u << bits) - 1;
        return static_cast<unsigned char>((value * 255 + top / 2) / top);
    }
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
                std::uint32_t masks[3], const Target& target) {
    const std::size_t stride = ((std::size_t(layout.bitsPerPixel) * layout.width + 31) / 32) * 4;
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
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
                case 16:
                case 32: {
                    const std::uint32_t value = layout.bitsPerPixel == 16
                                                    ? loadLE16(source + 2 * x)
                                                    : loadLE32(source + 4 * x);
                    c = Colour{blue.extract(value), green.extract(value), red.extract(value)};
                    break;
                }
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

    std::size_t tableStart = fileHeaderSize + layout.headerSize;
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};  // 5-5-5 unless the file says otherwise
    if (layout.bitsPerPixel == 32) masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    if (layout.compression == compressionBitfields) {
        // The masks follow a plain info header, or sit inside the larger ones at the same place.
        const unsigned char* at = fileBytes + fileHeaderSize + infoHeaderSize;
        for (int i = 0; i < 3; ++i) masks[i] = loadLE32(at + 4 * i);
        if (layout.headerSize == infoHeaderSize) tableStart += 12;
    }

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
        decodeRows(pixels, layout, palette, masks, target);

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
