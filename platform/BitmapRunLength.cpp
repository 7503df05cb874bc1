// The pen of a BMP run-length stream: runs and absolute blocks paint, escapes move it.
#include "platform/BitmapRunLength.h"

namespace platform::bmp {

void markRunLengthPixels(const unsigned char* data, std::size_t size, int width, int rows,
                         bool fourBits, std::vector<PaintedSpan>& spans) {
    spans.clear();
    long x = 0, y = 0;
    const auto paint = [&](long count) {
        if (x >= width) return;
        const long painted = count < width - x ? count : width - x;
        PaintedSpan* last = spans.empty() ? nullptr : &spans.back();
        if (last && last->y == y && last->x + last->count == x)
            last->count += static_cast<int>(painted);
        else
            spans.push_back({static_cast<int>(y), static_cast<int>(x), static_cast<int>(painted)});
        x += painted;
    };
    std::size_t at = 0;
    while (at + 1 < size && y < rows) {
        const unsigned count = data[at], value = data[at + 1];
        at += 2;
        if (count > 0) {
            paint(count);
        } else if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            return;
        } else if (value == 2) {  // delta: right, then up
            if (at + 1 >= size) return;
            x += data[at];
            y += data[at + 1];
            at += 2;
        } else {  // absolute block of `value` pixels, padded to a whole number of 16-bit words
            const std::size_t bytes = fourBits ? (value + 1) / 2 : value;
            paint(value);
            at += (bytes + 1) / 2 * 2;
        }
    }
}

}  // namespace platform::bmp
