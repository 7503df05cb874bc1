// The shared bitmap cases through the reader a texture goes through and through the system's
// decoder on its own: the same picture, or the same refusal and message, on every system.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BitmapCases.h"
#include "platform/BitmapDecoder.h"
#include "scene/loadBitmap.h"

namespace {

class BitmapReader : public testing::TestWithParam<BitmapCase> {};
class SystemBitmapDecoder : public testing::TestWithParam<BitmapCase> {};

// The decoder takes whole files only: the reader gives a bare bitmap its file header first.
std::vector<BitmapCase> wholeFiles() {
    std::vector<BitmapCase> cases;
    for (BitmapCase& c : sharedBitmapCases())
        if (c.hasFileHeader()) cases.push_back(std::move(c));
    return cases;
}

std::string caseName(const testing::TestParamInfo<BitmapCase>& info) {
    return info.param.name;
}

}  // namespace

TEST_P(BitmapReader, GivesThePictureOrTheMessage) {
    const BitmapCase& c = GetParam();
    testing::internal::CaptureStderr();
    std::unique_ptr<BitmapImage, void (*)(BitmapImage*)> image(
        loadBitmapBytes(c.file.data(), c.file.size()), releaseBitmap);
    const std::string messages = testing::internal::GetCapturedStderr();
    if (c.width == 0) {
        EXPECT_EQ(image, nullptr);
        EXPECT_EQ(messages, "Error: " + c.message + "\n");
        return;
    }
    ASSERT_NE(image, nullptr) << messages;
    EXPECT_EQ(messages, "");
    ASSERT_EQ(image->width, c.width);
    ASSERT_EQ(image->height, c.height);
    EXPECT_EQ(std::vector<std::uint8_t>(image->pixels, image->pixels + c.rgb.size()), c.rgb);
}

TEST_P(SystemBitmapDecoder, GivesThePictureOrRefuses) {
    const BitmapCase& c = GetParam();
    platform::DecodedBitmap decoded;
    const bool accepted = platform::decodeBitmapTo24(c.file.data(), c.file.size(), &decoded);
    if (c.width == 0) {
        EXPECT_FALSE(accepted);
        platform::releaseDecodedBitmap(&decoded);
        return;
    }
    ASSERT_TRUE(accepted);
    ASSERT_EQ(decoded.width, c.width);
    ASSERT_EQ(decoded.height, c.height);
    // The decoder's rows are blue, green, red and padded to 4 bytes.
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < decoded.height; ++y)
        for (int x = 0; x < decoded.width; ++x) {
            const unsigned char* p = decoded.rows + y * decoded.rowBytes + x * 3;
            rgb.insert(rgb.end(), {p[2], p[1], p[0]});
        }
    platform::releaseDecodedBitmap(&decoded);
    EXPECT_EQ(rgb, c.rgb);
}

INSTANTIATE_TEST_SUITE_P(Files, BitmapReader, testing::ValuesIn(sharedBitmapCases()), caseName);
INSTANTIATE_TEST_SUITE_P(Files, SystemBitmapDecoder, testing::ValuesIn(wholeFiles()), caseName);
