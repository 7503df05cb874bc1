// Builds BMP files in memory for the tests: any header size, depth, palette, encoding and channel
// masks, with or without the 14-byte file header, and 24-bit pictures drawn by a function.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Files.h"

namespace bitmaps {

struct Layout {
    int width = 1;
    int height = 1;
    int bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;  // 12 core, 40 info, 52 to 124 for the later ones, or any
                                    // other size to test refusal
    bool fileHeader = true;
    // Red, green, blue (and alpha) masks: the first three after a 40-byte header, as many as fit
    // inside one of 52 bytes or more.
    std::vector<std::uint32_t> masks;
    std::uint32_t colourSpace = 0;      // in headers of 108 bytes or more
    std::vector<std::uint8_t> profile;  // a 124-byte header's colour profile, after the pixels
    std::vector<std::uint8_t> palette;  // blue, green, red, (reserved for info headers) per entry
    std::vector<std::uint8_t> pixels;   // rows as stored, padding included
};

constexpr std::uint32_t colourSpaceSrgb = 0x73524742;      // "sRGB"
constexpr std::uint32_t colourSpaceEmbedded = 0x4D424544;  // "MBED": the profile is in the file

inline void put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline std::vector<std::uint8_t> build(const Layout& s) {
    std::vector<std::uint8_t> header;
    put32(header, s.headerSize);
    if (s.headerSize == 12) {
        put16(header, static_cast<std::uint32_t>(s.width));
        put16(header, static_cast<std::uint32_t>(s.height));
        put16(header, 1);
        put16(header, static_cast<std::uint32_t>(s.bitsPerPixel));
    } else {
        put32(header, static_cast<std::uint32_t>(s.width));
        put32(header, static_cast<std::uint32_t>(s.height));
        put16(header, 1);
        put16(header, static_cast<std::uint32_t>(s.bitsPerPixel));
        put32(header, s.compression);
        put32(header, static_cast<std::uint32_t>(s.pixels.size()));
        put32(header, 2835);
        put32(header, 2835);
        put32(header, 0);
        put32(header, 0);
        for (std::size_t i = 0; i < s.masks.size() && s.headerSize >= 40 + 4 * (i + 1); ++i)
            put32(header, s.masks[i]);
        header.resize(s.headerSize, 0);
        if (s.headerSize >= 108)
            for (int i = 0; i < 4; ++i)
                header[56 + i] = static_cast<std::uint8_t>(s.colourSpace >> 8 * i);
        if (s.headerSize >= 124 && !s.profile.empty()) {
            // Where the profile starts, counted from the header, and its length.
            const std::uint32_t at =
                static_cast<std::uint32_t>(s.headerSize + s.palette.size() + s.pixels.size());
            const std::uint32_t length = static_cast<std::uint32_t>(s.profile.size());
            for (int i = 0; i < 4; ++i) {
                header[112 + i] = static_cast<std::uint8_t>(at >> 8 * i);
                header[116 + i] = static_cast<std::uint8_t>(length >> 8 * i);
            }
        }
        if (s.headerSize == 40)  // red, green and blue only
            for (std::size_t i = 0; i < s.masks.size() && i < 3; ++i) put32(header, s.masks[i]);
    }
    const std::vector<std::uint8_t> noProfile;
    const std::vector<std::uint8_t>& profile = s.headerSize >= 124 ? s.profile : noProfile;
    std::vector<std::uint8_t> out;
    if (s.fileHeader) {
        const std::uint32_t offset =
            static_cast<std::uint32_t>(14 + header.size() + s.palette.size());
        out.push_back('B');
        out.push_back('M');
        put32(out, static_cast<std::uint32_t>(offset + s.pixels.size() + profile.size()));
        put32(out, 0);
        put32(out, offset);
    }
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), s.palette.begin(), s.palette.end());
    out.insert(out.end(), s.pixels.begin(), s.pixels.end());
    out.insert(out.end(), profile.begin(), profile.end());
    return out;
}

struct Rgb {
    std::uint8_t r, g, b;
};

// An uncompressed bottom-up 24-bit layout whose pixel (x, y), y from the top, is colourAt(x, y).
template <typename ColourAt>
Layout picture(int width, int height, ColourAt colourAt) {
    Layout s;
    s.width = width;
    s.height = height;
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    s.pixels.assign(rowBytes * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = colourAt(x, height - 1 - y);
            std::uint8_t* at = &s.pixels[y * rowBytes + x * 3];
            at[0] = c.b;
            at[1] = c.g;
            at[2] = c.r;
        }
    return s;
}

inline std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    char folder[512];
    std::string path =
        platform::getTempPath(sizeof folder, folder) ? std::string(folder) : std::string();
    // Tests run side by side in processes of their own: the test's name keeps the files apart.
    path += "orbek-test-";
    if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
        path += std::string(test->test_suite_name()) + "." + test->name() + "-";
    path += name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

}  // namespace bitmaps
