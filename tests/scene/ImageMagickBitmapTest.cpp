// Textures as an artist makes them with ImageMagick: `convert x.png x.bmp` writes a 124-byte
// header, for 24-bit pictures and for 8-bit run-length ones. Made at test time where ImageMagick
// is installed (Debian package imagemagick), skipped elsewhere.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BitmapFiles.h"
#include "platform/LittleEndian.h"
#include "scene/loadBitmap.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using ColourAt = std::function<bitmaps::Rgb(int x, int y)>;  // y from the top

bool haveImageMagick() {
    std::FILE* pipe = popen("convert -version 2>/dev/null", "r");
    if (pipe == nullptr) return false;
    std::string output;
    char buffer[512];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
           output.find("ImageMagick") != std::string::npos;
}

Bytes readWhole(const std::string& path) {
    Bytes bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        unsigned char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;)
            bytes.insert(bytes.end(), chunk, chunk + n);
        std::fclose(f);
    }
    return bytes;
}

struct Converted {
    Bytes bmp;  // what ImageMagick wrote
    std::unique_ptr<BitmapImage, void (*)(BitmapImage*)> image{nullptr, releaseBitmap};
    std::string messages;  // the reader's
};

// The picture as a PNG made from a PPM, then that PNG as ImageMagick writes a bitmap by default.
Converted convertPicture(const char* name, int width, int height, const ColourAt& colourAt) {
    Bytes ppm;
    const std::string head =
        "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    ppm.assign(head.begin(), head.end());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bitmaps::Rgb c = colourAt(x, y);
            ppm.insert(ppm.end(), {c.r, c.g, c.b});
        }
    const std::string source = bitmaps::write(std::string(name) + ".ppm", ppm);
    const std::string stem = source.substr(0, source.size() - 4);
    const std::string command = "convert '" + source + "' '" + stem + ".png' && convert '" + stem +
                                ".png' '" + stem + ".bmp'";
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << command;
    Converted converted;
    converted.bmp = readWhole(stem + ".bmp");
    testing::internal::CaptureStderr();
    converted.image.reset(loadBitmap((stem + ".bmp").c_str()));
    converted.messages = testing::internal::GetCapturedStderr();
    for (const char* extension : {".ppm", ".png", ".bmp"}) std::remove((stem + extension).c_str());
    return converted;
}

// The file is what makes the test worth having, a 108- or 124-byte header with this depth and
// encoding; the reader must give back the picture, every pixel.
void expectPicture(const Converted& converted, unsigned bitsPerPixel, std::uint32_t compression,
                   int width, int height, const ColourAt& colourAt) {
    ASSERT_GE(converted.bmp.size(), 54u);
    const unsigned char* header = converted.bmp.data() + 14;
    const std::uint32_t headerSize = platform::loadLE32(header);
    EXPECT_TRUE(headerSize == 108 || headerSize == 124) << headerSize;
    EXPECT_EQ(platform::loadLE16(header + 14), bitsPerPixel);
    EXPECT_EQ(platform::loadLE32(header + 16), compression);
    ASSERT_NE(converted.image, nullptr) << converted.messages;
    EXPECT_EQ(converted.messages, "");
    ASSERT_EQ(converted.image->width, width);
    ASSERT_EQ(converted.image->height, height);
    int wrong = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bitmaps::Rgb c = colourAt(x, height - 1 - y);
            const unsigned char* p = converted.image->pixels + (y * width + x) * 3;
            if (p[0] != c.r || p[1] != c.g || p[2] != c.b) ++wrong;
        }
    EXPECT_EQ(wrong, 0) << "pixels that differ from the picture";
}

}  // namespace

TEST(ImageMagickBitmaps, DefaultTrueColourOutputLoadsAsThePicture) {
    if (!haveImageMagick()) GTEST_SKIP() << "no ImageMagick convert (Debian package imagemagick)";
    // 512 colours: too many for a colour table, so 24 bits a pixel.
    const ColourAt manyColours = [](int x, int y) {
        return bitmaps::Rgb{static_cast<std::uint8_t>(x * 8), static_cast<std::uint8_t>(y * 16),
                            static_cast<std::uint8_t>(255 - x * 4 - y * 2)};
    };
    expectPicture(convertPicture("truecolour", 32, 16, manyColours), 24, 0, 32, 16, manyColours);
}

TEST(ImageMagickBitmaps, DefaultPalettedOutputLoadsAsThePicture) {
    if (!haveImageMagick()) GTEST_SKIP() << "no ImageMagick convert (Debian package imagemagick)";
    // 20 colours in runs of three: a colour table, and run-length data.
    const ColourAt fewColours = [](int x, int y) {
        const int n = (x / 3 + y) % 20;
        return bitmaps::Rgb{static_cast<std::uint8_t>(n * 12),
                            static_cast<std::uint8_t>(255 - n * 12),
                            static_cast<std::uint8_t>(n * 50 % 256)};
    };
    expectPicture(convertPicture("paletted", 24, 10, fewColours), 8, 1, 24, 10, fewColours);
}
