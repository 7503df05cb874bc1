// libFuzzer harness for the bitmap reader: any bytes as a BMP file in memory, through the header
// checks and the platform's converter that every texture goes through. Seed it with a few real
// bitmaps for depth.
#include <cstdint>
#include <cstdlib>

#include "platform/BitmapFormat.h"
#include "scene/loadBitmap.h"

namespace {

// Decoding costs time in proportion to the pixels a header declares, and past a few thousand
// pixels more of them reach no new code: inputs that declare a larger image within the limit are
// passed over, so that the fuzzer spends its time on headers, tables and run-length streams.
constexpr std::int64_t largestFuzzedPixels = 64 * 128;

bool declaresLargeImage(const std::uint8_t* data, std::size_t size) {
    const std::size_t at = size >= 2 && data[0] == 'B' && data[1] == 'M' ? 14 : 0;
    platform::bmp::Layout layout;
    return size >= at &&
           platform::bmp::readBitmapHeader(data + at, size - at, &layout) ==
               platform::bmp::HeaderCheck::usable &&
           layout.width * layout.rows() > largestFuzzedPixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (declaresLargeImage(data, size)) return 0;
    BitmapImage* image = loadBitmapBytes(data, size);
    if (image != nullptr &&
        (image->width <= 0 || image->height <= 0 || image->width > platform::bmp::maxSide ||
         image->height > platform::bmp::maxSide))
        std::abort();
    releaseBitmap(image);
    return 0;
}
