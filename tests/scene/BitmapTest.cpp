// The bitmap reader against BMP variants made here with known pixels: every depth and encoding
// it must take, the orientation and row packing of its output, and each of its messages.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "BitmapFiles.h"
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

// RGB of pixel (x, y), y counted from the bottom row.
std::vector<int> at(const BitmapImage* image, int x, int y) {
    const unsigned char* p = image->pixels + (y * image->width + x) * 3;
    return {p[0], p[1], p[2]};
}

const std::vector<int> red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, white{255, 255, 255},
    black{0, 0, 0};

}  // namespace

TEST(LoadBitmap, TwentyFourBitRowsArePackedBottomUpAsRgb) {
    Layout s;
    s.width = 4;
    s.height = 2;
    // Bottom row: blue, red, green, white; top row: black x4. Pixels are stored blue, green, red.
    s.pixels = {255, 0, 0, 0, 0, 255, 0, 255, 0, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    auto r = read("bgr4x2.bmp", bitmaps::build(s));
    ASSERT_NE(r->image, nullptr) << r->messages;
    EXPECT_EQ(r->image->width, 4);
    EXPECT_EQ(r->image->height, 2);
    EXPECT_EQ(at(r->image, 0, 0), blue);
    EXPECT_EQ(at(r->image, 1, 0), red);
    EXPECT_EQ(at(r->image, 3, 0), white);
    EXPECT_EQ(at(r->image, 3, 1), black);
    EXPECT_EQ(r->messages, "");
}

TEST(LoadBitmap, PaddingIsLeftOutAndTopDownFilesComeBackBottomUp) {
    Layout s;
    s.width = 3;
    s.height = 2;
    // Rows of 9 bytes plus 3 of padding. Stored bottom row: red, green, blue; top: white x3.
    s.pixels = {0, 0, 255, 0, 255, 0, 255, 0, 0, 7, 7, 7, 255, 255, 255, 255, 255, 255, 255, 255, 255, 7, 7, 7};
    auto bottomUp = read("pad3.bmp", bitmaps::build(s));
    ASSERT_NE(bottomUp->image, nullptr) << bottomUp->messages;
    EXPECT_EQ(at(bottomUp->image, 0, 0), red);
    EXPECT_EQ(at(bottomUp->image, 2, 0), blue);
    EXPECT_EQ(at(bottomUp->image, 0, 1), white);

    // The same picture stored top row first.
    s.height = -2;
    s.pixels = {255, 255, 255, 255, 255, 255, 255, 255, 255, 7, 7, 7, 0, 0, 255, 0, 255, 0, 255, 0, 0, 7, 7, 7};
    auto topDown = read("topdown.bmp", bitmaps::build(s));
    ASSERT_NE(topDown->image, nullptr) << topDown->messages;
    EXPECT_EQ(topDown->image->height, 2);
    EXPECT_EQ(std::vector<unsigned char>(topDown->image->pixels, topDown->image->pixels + 18),
              std::vector<unsigned char>(bottomUp->image->pixels, bottomUp->image->pixels + 18));
}

TEST(LoadBitmap, PalettedDepthsAndRunLengthEncodingUseTheColourTable) {
    const std::vector<std::uint8_t> palette = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};  // red, green, blue
    Layout eight;
    eight.width = 2;
    eight.height = 2;
    eight.bitsPerPixel = 8;
    eight.palette = palette;
    eight.pixels = {0, 1, 0, 0, 2, 0, 0, 0};
    auto r8 = read("pal8.bmp", bitmaps::build(eight));
    ASSERT_NE(r8->image, nullptr) << r8->messages;
    EXPECT_EQ(at(r8->image, 0, 0), red);
    EXPECT_EQ(at(r8->image, 1, 0), green);
    EXPECT_EQ(at(r8->image, 0, 1), blue);

    Layout one;
    one.width = 8;
    one.height = 1;
    one.bitsPerPixel = 1;
    one.palette = {0, 0, 0, 0, 255, 255, 255, 0};
    one.pixels = {0xA0, 0, 0, 0};  // 1010 0000
    auto r1 = read("mono.bmp", bitmaps::build(one));
    ASSERT_NE(r1->image, nullptr) << r1->messages;
    EXPECT_EQ(at(r1->image, 0, 0), white);
    EXPECT_EQ(at(r1->image, 1, 0), black);
    EXPECT_EQ(at(r1->image, 2, 0), white);

    Layout four;
    four.width = 2;
    four.height = 1;
    four.bitsPerPixel = 4;
    four.palette = palette;
    four.palette.resize(16 * 4, 0);
    four.pixels = {0x21, 0, 0, 0};
    auto r4 = read("pal4.bmp", bitmaps::build(four));
    ASSERT_NE(r4->image, nullptr) << r4->messages;
    EXPECT_EQ(at(r4->image, 0, 0), blue);
    EXPECT_EQ(at(r4->image, 1, 0), green);

    Layout rle8 = eight;
    rle8.width = 4;
    rle8.compression = 1;
    // Bottom row: four reds; top row: two greens and two blues; then end of bitmap.
    rle8.pixels = {4, 0, 0, 0, 2, 1, 2, 2, 0, 1};
    auto rl8 = read("rle8.bmp", bitmaps::build(rle8));
    ASSERT_NE(rl8->image, nullptr) << rl8->messages;
    EXPECT_EQ(at(rl8->image, 3, 0), red);
    EXPECT_EQ(at(rl8->image, 1, 1), green);
    EXPECT_EQ(at(rl8->image, 2, 1), blue);

    Layout rle4 = four;
    rle4.width = 4;
    rle4.compression = 2;
    rle4.pixels = {4, 0x12, 0, 1};  // green, blue, green, blue
    auto rl4 = read("rle4.bmp", bitmaps::build(rle4));
    ASSERT_NE(rl4->image, nullptr) << rl4->messages;
    EXPECT_EQ(at(rl4->image, 0, 0), green);
    EXPECT_EQ(at(rl4->image, 3, 0), blue);
}

TEST(LoadBitmap, SixteenAndThirtyTwoBitAndCoreHeaderAndBareHeader) {
    Layout sixteen;
    sixteen.width = 2;
    sixteen.height = 1;
    sixteen.bitsPerPixel = 16;
    sixteen.pixels = {0x00, 0x7C, 0x1F, 0x00};  // 5-5-5: red, blue
    auto r16 = read("rgb16.bmp", bitmaps::build(sixteen));
    ASSERT_NE(r16->image, nullptr) << r16->messages;
    EXPECT_EQ(at(r16->image, 0, 0), red);
    EXPECT_EQ(at(r16->image, 1, 0), blue);

    Layout thirtyTwo;
    thirtyTwo.width = 1;
    thirtyTwo.height = 1;
    thirtyTwo.bitsPerPixel = 32;
    thirtyTwo.pixels = {0, 255, 0, 0};
    auto r32 = read("rgb32.bmp", bitmaps::build(thirtyTwo));
    ASSERT_NE(r32->image, nullptr) << r32->messages;
    EXPECT_EQ(at(r32->image, 0, 0), green);

    Layout core;
    core.headerSize = 12;
    core.width = 2;
    core.height = 1;
    core.bitsPerPixel = 8;
    core.palette.resize(256 * 3, 0);
    core.palette[3 * 5 + 1] = 255;  // entry 5 is green
    core.pixels = {5, 0, 0, 0};
    auto rc = read("core.bmp", bitmaps::build(core));
    ASSERT_NE(rc->image, nullptr) << rc->messages;
    EXPECT_EQ(at(rc->image, 0, 0), green);
    EXPECT_EQ(at(rc->image, 1, 0), black);

    Layout bare;
    bare.fileHeader = false;
    bare.width = 1;
    bare.height = 1;
    bare.bitsPerPixel = 8;
    bare.palette = {0, 0, 255, 0, 255, 0, 0, 0};
    bare.palette.resize(256 * 4, 0);
    bare.pixels = {1, 0, 0, 0};
    auto rb = read("bare.dib", bitmaps::build(bare));
    ASSERT_NE(rb->image, nullptr) << rb->messages;
    EXPECT_EQ(at(rb->image, 0, 0), blue);
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
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Failed to open DIB file " + emptyPath + ".\n");
    std::remove(emptyPath.c_str());

    Layout v4;
    v4.headerSize = 108;
    v4.pixels = {0, 0, 0, 0};
    auto r108 = read("v4.bmp", bitmaps::build(v4));
    EXPECT_EQ(r108->image, nullptr);
    EXPECT_EQ(r108->messages, "Error: Unknown DIB file format.\n");

    Layout huge;
    huge.width = 20000;
    huge.height = 20000;
    auto rHuge = read("huge.bmp", bitmaps::build(huge));
    EXPECT_EQ(rHuge->image, nullptr);
    EXPECT_EQ(rHuge->messages, "Error: Image file conversion error.\n");

    Layout truncated;
    truncated.width = 64;
    truncated.height = 64;
    truncated.pixels.resize(100, 0);
    auto rShort = read("short.bmp", bitmaps::build(truncated));
    EXPECT_EQ(rShort->image, nullptr);
    EXPECT_EQ(rShort->messages, "Error: Image file conversion error.\n");

    Layout jpeg;
    jpeg.compression = 4;
    jpeg.pixels = {1, 2, 3, 4};
    auto rJpeg = read("jpeg.bmp", bitmaps::build(jpeg));
    EXPECT_EQ(rJpeg->image, nullptr);
    EXPECT_EQ(rJpeg->messages, "Error: Image file conversion error.\n");
}
