// The bitmap reader against BMP variants made here with known pixels: every depth and encoding
// it must take, the orientation and row packing of its output, and each of its messages.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <utility>

#include "BitmapFiles.h"
#include "platform/BitmapFormat.h"
#include "scene/loadBitmap.h"

using bitmaps::Layout;

namespace {

struct Result {
    BitmapImage* image = nullptr;
    std::string messages;
    ~Result() { releaseBitmap(image); }
};

std::unique_ptr<Result> read(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = bitmaps::write(name, bytes);
    auto result = std::make_unique<Result>();
    testing::internal::CaptureStderr();
    result->image = loadBitmap(path.c_str());
    result->messages = testing::internal::GetCapturedStderr();
    std::remove(path.c_str());
    return result;
}

Layout bmp(int width, int height, int bitsPerPixel, std::vector<std::uint8_t> pixels,
           std::vector<std::uint8_t> palette = {}, std::uint32_t compression = 0) {
    Layout s;
    s.width = width;
    s.height = height;
    s.bitsPerPixel = bitsPerPixel;
    s.pixels = std::move(pixels);
    s.palette = std::move(palette);
    s.compression = compression;
    return s;
}

Layout withHeader(Layout s, std::uint32_t headerSize, bool fileHeader) {
    s.headerSize = headerSize;
    s.fileHeader = fileHeader;
    return s;
}

std::vector<std::uint8_t> padded(std::vector<std::uint8_t> palette, std::size_t entries) {
    palette.resize(entries, 0);
    return palette;
}

using Rgb = std::vector<int>;
const Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, white{255, 255, 255}, black{0, 0, 0};
// Colour table entries blue, green, red, reserved: red, green, blue.
const std::vector<std::uint8_t> rgbPalette = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};

struct Probe {
    int x, y;  // y counted from the bottom row
    Rgb rgb;
};

}  // namespace

TEST(LoadBitmap, EveryDepthAndEncodingComesOutAsBottomUpPackedRgb) {
    const struct {
        const char* what;
        Layout file;
        std::vector<Probe> probes;
    } cases[] = {
        // Bottom row blue, red, green, white; top row black. Stored blue, green, red.
        {"24-bit",
         bmp(4, 2, 24,
             {255, 0, 0, 0, 0, 255, 0, 255, 0, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
         {{0, 0, blue}, {1, 0, red}, {3, 0, white}, {3, 1, black}}},
        // Rows of 9 bytes plus 3 of padding: bottom red, green, blue; top white.
        {"24-bit padded",
         bmp(3, 2, 24, {0,   0,   255, 0,   255, 0,   255, 0,   0,   7, 7, 7,
                        255, 255, 255, 255, 255, 255, 255, 255, 255, 7, 7, 7}),
         {{0, 0, red}, {2, 0, blue}, {0, 1, white}, {2, 1, white}}},
        {"24-bit top-down",
         bmp(3, -2, 24, {255, 255, 255, 255, 255, 255, 255, 255, 255, 7, 7, 7,
                         0,   0,   255, 0,   255, 0,   255, 0,   0,   7, 7, 7}),
         {{0, 0, red}, {2, 0, blue}, {0, 1, white}, {2, 1, white}}},
        {"8-bit",
         bmp(2, 2, 8, {0, 1, 0, 0, 2, 0, 0, 0}, rgbPalette),
         {{0, 0, red}, {1, 0, green}, {0, 1, blue}}},
        {"1-bit",
         bmp(8, 1, 1, {0xA0, 0, 0, 0}, {0, 0, 0, 0, 255, 255, 255, 0}),
         {{0, 0, white}, {1, 0, black}, {2, 0, white}}},
        {"4-bit",
         bmp(2, 1, 4, {0x21, 0, 0, 0}, padded(rgbPalette, 16 * 4)),
         {{0, 0, blue}, {1, 0, green}}},
        // Bottom row four reds; top row two greens and two blues; then end of bitmap.
        {"RLE8",
         bmp(4, 2, 8, {4, 0, 0, 0, 2, 1, 2, 2, 0, 1}, rgbPalette, 1),
         {{3, 0, red}, {1, 1, green}, {2, 1, blue}}},
        {"RLE4",
         bmp(4, 1, 4, {4, 0x12, 0, 1}, padded(rgbPalette, 16 * 4), 2),
         {{0, 0, green}, {3, 0, blue}}},
        {"16-bit 5-5-5", bmp(2, 1, 16, {0x00, 0x7C, 0x1F, 0x00}), {{0, 0, red}, {1, 0, blue}}},
        {"32-bit", bmp(1, 1, 32, {0, 255, 0, 0}), {{0, 0, green}}},
        // Three-byte colour table entries; entry 5 is green.
        {"core header",
         withHeader(bmp(2, 1, 8, {5, 0, 0, 0},
                        [] {
                            std::vector<std::uint8_t> p(256 * 3, 0);
                            p[3 * 5 + 1] = 255;
                            return p;
                        }()),
                    12, true),
         {{0, 0, green}, {1, 0, black}}},
        {"no file header",
         withHeader(bmp(1, 1, 8, {1, 0, 0, 0}, padded({0, 0, 255, 0, 255, 0, 0, 0}, 256 * 4)), 40,
                    false),
         {{0, 0, blue}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto r = read("case.bmp", bitmaps::build(c.file));
        ASSERT_NE(r->image, nullptr) << r->messages;
        EXPECT_EQ(r->messages, "");
        EXPECT_EQ(r->image->width, c.file.width);
        EXPECT_EQ(r->image->height, std::abs(c.file.height));
        for (const Probe& p : c.probes) {
            const unsigned char* at = r->image->pixels + (p.y * r->image->width + p.x) * 3;
            EXPECT_EQ((Rgb{at[0], at[1], at[2]}), p.rgb) << "at " << p.x << ", " << p.y;
        }
    }
}

namespace {

// Masks after the info header, red, green and blue, little-endian.
std::vector<std::uint8_t> masks(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t mask : {red, green, blue}) bitmaps::put32(bytes, mask);
    return bytes;
}

}  // namespace

// Bit-field files carry their own channel masks; run-length files move their pen with end-of-line
// and delta escapes, and the pixels they pass over stay black whatever the colour table holds.
TEST(LoadBitmap, BitFieldMasksAndRunLengthSkips) {
    const std::uint32_t bitfields = 3;
    // Colour table: red, green, blue, then white; red is entry 0, which a skip must not show.
    const std::vector<std::uint8_t> table = {0,   0, 255, 0, 0,   255, 0,   0,
                                             255, 0, 0,   0, 255, 255, 255, 0};
    const struct {
        const char* what;
        Layout file;
        std::vector<Probe> probes;
    } cases[] = {
        // 5-6-5: red, green, blue, and a middle grey of every channel's top bit.
        {"16-bit 5-6-5",
         bmp(4, 1, 16, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x10, 0x84},
             masks(0xF800, 0x07E0, 0x001F), bitfields),
         {{0, 0, red}, {1, 0, green}, {2, 0, blue}}},
        // Red in the lowest byte and blue in the third: the reverse of the usual order.
        {"32-bit reversed",
         bmp(2, 1, 32, {255, 0, 0, 0, 0, 0, 255, 0}, masks(0xFF, 0xFF00, 0xFF0000), bitfields),
         {{0, 0, red}, {1, 0, blue}}},
        {"16-bit 5-6-5 without file header",
         withHeader(bmp(1, 1, 16, {0xE0, 0x07, 0, 0}, masks(0xF800, 0x07E0, 0x001F), bitfields), 40,
                    false),
         {{0, 0, green}}},
        // Row 0: one green, end of line. Row 1: delta 2 right and 1 up, then one blue, end of
        // bitmap. Row 1 starts black up to x 2 and row 2 holds the blue at x 2.
        {"RLE8 end of line and delta",
         bmp(4, 3, 8, {1, 1, 0, 0, 0, 2, 2, 1, 1, 2, 0, 1}, padded(table, 256 * 4), 1),
         {{0, 0, green},
          {1, 0, black},
          {3, 0, black},
          {0, 1, black},
          {3, 1, black},
          {2, 2, blue},
          {0, 2, black}}},
        // Runs that follow each other on a row paint one stretch; the rest of each row is black.
        {"RLE8 runs side by side",
         bmp(4, 2, 8, {2, 1, 1, 2, 0, 0, 1, 3, 0, 1}, padded(table, 256 * 4), 1),
         {{0, 0, green},
          {1, 0, green},
          {2, 0, blue},
          {3, 0, black},
          {0, 1, white},
          {1, 1, black},
          {3, 1, black}}},
        // The same moves in four bits: green, white at x 1 after a delta of one, on the second row.
        {"RLE4 end of line and delta",
         bmp(4, 2, 4, {1, 0x10, 0, 0, 0, 2, 1, 0, 1, 0x30, 0, 1}, padded(table, 16 * 4), 2),
         {{0, 0, green}, {1, 0, black}, {0, 1, black}, {1, 1, white}, {2, 1, black}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto r = read("case.bmp", bitmaps::build(c.file));
        ASSERT_NE(r->image, nullptr) << r->messages;
        EXPECT_EQ(r->messages, "");
        for (const Probe& p : c.probes) {
            const unsigned char* at = r->image->pixels + (p.y * r->image->width + p.x) * 3;
            EXPECT_EQ((Rgb{at[0], at[1], at[2]}), p.rgb) << "at " << p.x << ", " << p.y;
        }
    }
}

TEST(LoadBitmap, MessagesForFilesThatAreNotUsableBitmaps) {
    auto missing = std::make_unique<Result>();
    testing::internal::CaptureStderr();
    const std::string emptyPath = bitmaps::write("empty.bmp", {});
    missing->image = loadBitmap((emptyPath + "-missing").c_str());
    EXPECT_EQ(loadBitmap(nullptr), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(missing->image, nullptr);

    testing::internal::CaptureStderr();
    EXPECT_EQ(loadBitmap(emptyPath.c_str()), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error: Failed to open DIB file " + emptyPath + ".\n");
    std::remove(emptyPath.c_str());

    // A name from a model file reaches the message escaped, never as terminal control sequences.
    const std::string hostilePath = bitmaps::write("\x1b]0;owned\x07\x1b[2J.bmp", {});
    testing::internal::CaptureStderr();
    EXPECT_EQ(loadBitmap(hostilePath.c_str()), nullptr);
    const std::string hostileMessage = testing::internal::GetCapturedStderr();
    std::remove(hostilePath.c_str());
    const std::string folder = hostilePath.substr(0, hostilePath.find('\x1b'));
    EXPECT_EQ(hostileMessage,
              "Error: Failed to open DIB file " + folder + "\\x1b]0;owned\\x07\\x1b[2J.bmp.\n");

    const std::string conversion = "Error: Image file conversion error.\n";
    const struct {
        const char* what;
        Layout file;
        std::string message;
    } refused[] = {
        {"66-byte header", withHeader(bmp(1, 1, 24, {0, 0, 0, 0}), 66, true),
         "Error: Unknown DIB file format.\n"},
        {"20000 x 20000", bmp(20000, 20000, 24, {}), conversion},
        {"truncated", bmp(64, 64, 24, std::vector<std::uint8_t>(100, 0)), conversion},
        {"JPEG inside", bmp(1, 1, 24, {1, 2, 3, 4}, {}, 4), conversion},
    };
    for (const auto& c : refused) {
        auto r = read("refused.bmp", bitmaps::build(c.file));
        EXPECT_EQ(r->image, nullptr) << c.what;
        EXPECT_EQ(r->messages, c.message) << c.what;
    }
}

TEST(LoadBitmap, WhatASmallFileCanDeclareIsBoundedByOneSideLimitAndByItsData) {
    using platform::bmp::maxSide;
    const int side = static_cast<int>(maxSide);
    // 1,100 bytes: a full 256-colour table and a few runs, an end of line, a delta of 255 rows
    // and the end of the bitmap.
    const std::vector<std::uint8_t> runs = {255, 1,   255, 2, 0, 0,   255, 1, 0, 2, 0,
                                            255, 255, 3,   0, 0, 255, 3,   0, 0, 0, 1};
    const auto smallRle = [&](int width, int height) {
        return bmp(width, height, 8, runs, padded(rgbPalette, 1024), 1);
    };
    ASSERT_EQ(bitmaps::build(smallRle(16384, 16384)).size(), 1100u);

    // The limit holds for each side on its own.
    for (const auto& [width, height] : {std::pair{side, 1}, std::pair{1, side}}) {
        auto atLimit = read("limit.bmp", bitmaps::build(smallRle(width, height)));
        ASSERT_NE(atLimit->image, nullptr) << atLimit->messages;
        EXPECT_EQ(atLimit->image->width, width);
        EXPECT_EQ(atLimit->image->height, height);
        const unsigned char* bottomLeft = atLimit->image->pixels;
        EXPECT_EQ((Rgb{bottomLeft[0], bottomLeft[1], bottomLeft[2]}), green);
    }

    const std::size_t rowBytes = (static_cast<std::size_t>(side) * 3 + 3) / 4 * 4;
    const struct {
        const char* what;
        Layout file;
    } refused[] = {
        {"1,100-byte run-length file of 16384 x 16384", smallRle(16384, 16384)},
        {"run-length 8192 x 8192", smallRle(8192, 8192)},
        {"run-length one column over", smallRle(side + 1, 1)},
        {"run-length one row over", smallRle(1, side + 1)},
        {"24-bit at the limit holding one row",
         bmp(side, side, 24, std::vector<std::uint8_t>(rowBytes, 0))},
        {"24-bit one row over, every row there",
         bmp(1, side + 1, 24, std::vector<std::uint8_t>(std::size_t(side + 1) * 4, 0))},
        {"bare header one column over",
         withHeader(bmp(side + 1, 1, 24, std::vector<std::uint8_t>(rowBytes + 4, 0)), 40, false)},
    };
    for (const auto& c : refused) {
        auto r = read("refused.bmp", bitmaps::build(c.file));
        EXPECT_EQ(r->image, nullptr) << c.what;
        EXPECT_EQ(r->messages, "Error: Image file conversion error.\n") << c.what;
    }
}
