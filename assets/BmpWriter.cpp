// Encodes RgbImage as a bottom-up 24-bit BMP: rows padded to four bytes, pixels stored blue,
// green, red, as every reader of the format expects.
#include "assets/BmpWriter.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint8_t toByte(double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

void RgbImage::set(int x, int y, double r, double g, double b) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
    rgb[at] = toByte(r);
    rgb[at + 1] = toByte(g);
    rgb[at + 2] = toByte(b);
}

std::vector<std::uint8_t> encodeBmp24(const RgbImage& image) {
    const std::uint32_t rowBytes = static_cast<std::uint32_t>(image.width) * 3;
    const std::uint32_t stride = (rowBytes + 3) & ~3u;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(image.height);
    const std::uint32_t headerBytes = 14 + 40;

    std::vector<std::uint8_t> out;
    out.reserve(headerBytes + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, headerBytes + pixelBytes);
    put32(out, 0);  // two reserved words
    put32(out, headerBytes);

    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(image.width));
    put32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom row first
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);  // uncompressed
    put32(out, pixelBytes);
    put32(out, 2835);  // 72 dots per inch
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);

    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.rgb.data() + static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < image.width; ++x) {
            out.push_back(row[x * 3 + 2]);
            out.push_back(row[x * 3 + 1]);
            out.push_back(row[x * 3]);
        }
        for (std::uint32_t pad = rowBytes; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}
