// 24-bit Windows bitmaps for our textures: an RGB image held bottom row first (the order both the
// file and the texture upload use) and its encoding with the 14-byte file header and the 40-byte
// info header. It writes nothing but uncompressed 24-bit bottom-up files.
#pragma once

#include <cstdint>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3, row 0 is the bottom row

    RgbImage(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3, 0) {}
    // Components in 0..1, clamped; x from the left, y from the bottom.
    void set(int x, int y, double r, double g, double b);
};

std::vector<std::uint8_t> encodeBmp24(const RgbImage& image);
