// 16- and 32-bit bitmap pixels through their channel masks, in plain C++: the system decoders
// disagree on masks they do not know and on how they widen short channels, so none of them is
// asked.
#include "platform/BitmapBitFields.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "platform/LittleEndian.h"

namespace platform::bmp {

namespace {

class Channel {
public:
    explicit Channel(std::uint32_t mask) : mask_(mask) {
        if (mask_ == 0) return;
        while (((mask_ >> shift_) & 1u) == 0) ++shift_;
        largest_ = mask_ >> shift_;
    }
    unsigned char widen(std::uint32_t pixel) const {
        if (largest_ == 0) return 0;
        const std::uint64_t value = (pixel & mask_) >> shift_;
        return static_cast<unsigned char>((value * 255 + largest_ / 2) / largest_);
    }

private:
    std::uint32_t mask_;
    int shift_ = 0;
    std::uint64_t largest_ = 0;  // the channel's full scale, 2^bits - 1
};

}  // namespace

bool decodeBitFields(const unsigned char* file, const Layout& layout, DecodedBitmap* out) {
    *out = DecodedBitmap();
    const int width = static_cast<int>(layout.width);
    const int rows = static_cast<int>(layout.rows());
    const int rowBytes = (width * 3 + 3) & ~3;
    const std::size_t total = static_cast<std::size_t>(rowBytes) * rows;
    unsigned char* target = new (std::nothrow) unsigned char[total];
    if (target == nullptr) return false;
    std::memset(target, 0, total);

    const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]);
    const bool sixteen = layout.bitsPerPixel == 16;
    const std::size_t stride = ((std::size_t(layout.bitsPerPixel) * width + 31) / 32) * 4;
    for (int row = 0; row < rows; ++row) {
        const unsigned char* source = file + layout.pixelOffset + stride * row;
        // Rows are stored bottom-up unless the height is negative.
        const int y = layout.height < 0 ? rows - 1 - row : row;
        unsigned char* pixel = target + static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < width; ++x, pixel += 3) {
            const std::uint32_t value =
                sixteen ? loadLE16(source + 2 * x) : loadLE32(source + 4 * x);
            pixel[0] = blue.widen(value);
            pixel[1] = green.widen(value);
            pixel[2] = red.widen(value);
        }
    }
    out->width = width;
    out->height = rows;
    out->rowBytes = rowBytes;
    out->rows = target;
    return true;
}

}  // namespace platform::bmp
