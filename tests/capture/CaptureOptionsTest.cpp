// The capture tool's command line: what it accepts, what it refuses, and the defaults.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tools/capture/CaptureOptions.h"

namespace {

bool parse(std::vector<std::string> words, CaptureOptions* options, std::string* error) {
    words.insert(words.begin(), "orbek42-capture");
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    return parseCaptureOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

}  // namespace

TEST(CaptureOptions, SizesSupersamplingQualityAndRanges) {
    CaptureOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--video", "a.mp4", "--size", "3840x2160", "--supersample", "4", "--crf",
                       "0", "--preset", "ultrafast", "--from", "100", "--to", "399"},
                      &options, &error))
        << error;
    EXPECT_EQ(options.width, 3840);
    EXPECT_EQ(options.height, 2160);
    EXPECT_EQ(options.supersample, 4);
    EXPECT_EQ(options.crf, 0);
    EXPECT_EQ(options.preset, "ultrafast");
    EXPECT_EQ(options.from, 100);
    EXPECT_EQ(options.to, 399);

    CaptureOptions defaults;
    ASSERT_TRUE(parse({"--video", "b.mkv", "--lossless"}, &defaults, &error)) << error;
    EXPECT_TRUE(defaults.lossless);
    EXPECT_EQ(defaults.width, 640);
    EXPECT_EQ(defaults.height, 480);
    EXPECT_EQ(defaults.supersample, 1);
    EXPECT_EQ(defaults.from, 0);
    EXPECT_EQ(defaults.to, -1);
    EXPECT_EQ(defaults.crf, 20);
    EXPECT_EQ(defaults.preset, "veryfast");
}

TEST(CaptureOptions, RefusesWhatMakesNoSense) {
    const std::vector<std::vector<std::string>> refused = {
        {"--video", "a.mp4", "--size", "1920"},
        {"--video", "a.mp4", "--size", "1920x"},
        {"--video", "a.mp4", "--size", "x1080"},
        {"--video", "a.mp4", "--size", "1921x1080"},  // odd: no 4:2:0 video
        {"--video", "a.mp4", "--size", "16x16"},
        {"--video", "a.mp4", "--size", "9000x4000"},
        {"--video", "a.mp4", "--size", "-640x480"},
        {"--video", "a.mp4", "--supersample", "0"},
        {"--video", "a.mp4", "--supersample", "5"},
        {"--video", "a.mp4", "--supersample", "two"},
        {"--video", "a.mp4", "--crf", "52"},
        {"--video", "a.mp4", "--crf", "-1"},
        {"--video", "a.mkv", "--lossless", "--crf", "10"},
        {"--video", "a.mkv", "--lossless", "--preset", "fast"},
        {"--video", "a.mp4", "--preset", "ludicrous"},
        {"--video", "a.mp4", "--preset", "fast;rm"},
        {"--timeline", "--preset", "fast"},
        {"--video", "a.mp4", "--lossless"},  // not Matroska
        {"--timeline", "--crf", "20"},       // no video to encode
        {"--timeline", "--lossless"},
        {"--video", "a.mp4", "--from", "200", "--to", "100"},
        {"--video", "a.mp4", "--from", "-5"},
        {"--png", "dir", "--frames", "1", "--from", "1"},  // a range is for video or statistics
        {"--video"},
        {"--video", "a.mp4", "--size"},
    };
    for (const auto& words : refused) {
        CaptureOptions options;
        std::string error;
        std::string line;
        for (const auto& word : words) line += word + " ";
        EXPECT_FALSE(parse(words, &options, &error)) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
}
