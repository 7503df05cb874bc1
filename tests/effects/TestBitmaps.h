// Small 24-bit bitmap files for the flag's textures, written by the tests themselves.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace effects_test {

struct Rgb {
    std::uint8_t r, g, b;
};

// An uncompressed bottom-up 24-bit bitmap whose pixel (x, y) is colourAt(x, y), y from the top.
inline bool writeBitmap(const std::string& path, int width, int height, const std::function<Rgb(int, int)>& colourAt)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(rowBytes * height);
    std::vector<std::uint8_t> file(54 + imageBytes, 0);
    auto put16 = [&](std::size_t at, std::uint32_t v) {
        file[at] = v & 0xFF;
        file[at + 1] = (v >> 8) & 0xFF;
    };
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, imageBytes);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgb c = colourAt(x, height - 1 - y);
            std::size_t at = 54 + static_cast<std::size_t>(y) * rowBytes + x * 3;
            file[at] = c.b;
            file[at + 1] = c.g;
            file[at + 2] = c.r;
        }
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}

// The cloth: an orange and white checkerboard crossed by a green diagonal, so its orientation
// and its waves are easy to see.
inline bool writeClothBitmap(const std::string& path)
{
    return writeBitmap(path, 64, 64, [](int x, int y) {
        if (x - y < 6 && y - x < 6)
            return Rgb{40, 170, 60};
        return ((x / 8) + (y / 8)) % 2 == 0 ? Rgb{240, 140, 20} : Rgb{240, 240, 240};
    });
}

// The pole: grey with darker rings.
inline bool writePoleBitmap(const std::string& path)
{
    return writeBitmap(path, 16, 16, [](int, int y) { return y % 4 == 0 ? Rgb{90, 90, 90} : Rgb{170, 170, 170}; });
}

}  // namespace effects_test
