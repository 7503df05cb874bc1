// The program's command line: the screen each set of options asks for, and every refusal with the
// message that says what to change.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "app/PlayerOptions.h"

namespace {

bool parse(std::vector<std::string> words, PlayerOptions* options, std::string* error) {
    words.insert(words.begin(), "orbek42");
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    return parsePlayerOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

std::string joined(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) line += word + " ";
    return line;
}

using Screen = PlayerOptions::Screen;

}  // namespace

TEST(PlayerOptions, TheScreenEachSetOfOptionsAsksFor) {
    const struct {
        std::vector<std::string> words;
        Screen screen;
        int width, height, supersample;
        long holdFrame;
    } cases[] = {
        {{}, Screen::asked, 640, 480, 1, -1},
        {{"--fullscreen"}, Screen::fullscreen, 640, 480, 1, -1},
        {{"--fullscreen", "--fullscreen"}, Screen::fullscreen, 640, 480, 1, -1},
        {{"--windowed"}, Screen::windowed, 640, 480, 1, -1},
        {{"--size", "1280x960"}, Screen::windowed, 1280, 960, 1, -1},
        {{"--size", "1920x1080", "--windowed"}, Screen::windowed, 1920, 1080, 1, -1},
        {{"--supersample", "2", "--size", "32x8192"}, Screen::windowed, 32, 8192, 2, -1},
        {{"--fullscreen", "--supersample", "4", "--hold-frame", "0"},
         Screen::fullscreen,
         640,
         480,
         4,
         0},
        {{"--hold-frame", "4306"}, Screen::asked, 640, 480, 1, 4306},
    };
    for (const auto& c : cases) {
        PlayerOptions options;
        std::string error;
        ASSERT_TRUE(parse(c.words, &options, &error)) << joined(c.words) << ": " << error;
        EXPECT_EQ(options.screen, c.screen) << joined(c.words);
        EXPECT_EQ(options.width, c.width) << joined(c.words);
        EXPECT_EQ(options.height, c.height) << joined(c.words);
        EXPECT_EQ(options.supersample, c.supersample) << joined(c.words);
        EXPECT_EQ(options.holdFrame, c.holdFrame) << joined(c.words);
        EXPECT_FALSE(options.help || options.version) << joined(c.words);
    }
}

TEST(PlayerOptions, HelpAndVersionWinOverTheRest) {
    PlayerOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--fullscreen", "--windowed", "--help"}, &options, &error)) << error;
    EXPECT_TRUE(options.help);
    PlayerOptions other;
    ASSERT_TRUE(parse({"-h"}, &other, &error)) << error;
    EXPECT_TRUE(other.help);
    PlayerOptions version;
    ASSERT_TRUE(parse({"--version"}, &version, &error)) << error;
    EXPECT_TRUE(version.version);
}

TEST(PlayerOptions, RefusesWhatMakesNoSenseSayingWhy) {
    const struct {
        std::vector<std::string> words;
        const char* message;
    } refused[] = {
        {{"--bogus"}, "unknown argument --bogus"},
        {{"fullscreen"}, "unknown argument fullscreen"},
        {{"--Fullscreen"}, "unknown argument --Fullscreen"},
        {{"--size"}, "--size needs a value"},
        {{"--size", "1280"}, "--size takes WIDTHxHEIGHT in even numbers from 32 to 8192"},
        {{"--size", "1281x960"}, "--size takes WIDTHxHEIGHT in even numbers from 32 to 8192"},
        {{"--size", "30x30"}, "--size takes WIDTHxHEIGHT in even numbers from 32 to 8192"},
        {{"--size", "8194x480"}, "--size takes WIDTHxHEIGHT in even numbers from 32 to 8192"},
        {{"--size", "1280x-960"}, "--size takes WIDTHxHEIGHT in even numbers from 32 to 8192"},
        {{"--supersample"}, "--supersample needs a value"},
        {{"--supersample", "0"}, "--supersample takes 1, 2, 3 or 4"},
        {{"--supersample", "5"}, "--supersample takes 1, 2, 3 or 4"},
        {{"--supersample", "2x"}, "--supersample takes 1, 2, 3 or 4"},
        {{"--hold-frame", "-1"}, "--hold-frame takes a frame number, counted from 0"},
        {{"--hold-frame", "ten"}, "--hold-frame takes a frame number, counted from 0"},
        {{"--fullscreen", "--windowed"}, "--fullscreen and --windowed: give one of them"},
        {{"--windowed", "--fullscreen"}, "--fullscreen and --windowed: give one of them"},
        {{"--fullscreen", "--size", "800x600"}, "--size is for a window; --fullscreen takes"},
        {{"--size", "800x600", "--fullscreen"}, "--size is for a window; --fullscreen takes"},
    };
    for (const auto& c : refused) {
        PlayerOptions options;
        std::string error;
        EXPECT_FALSE(parse(c.words, &options, &error)) << joined(c.words);
        EXPECT_EQ(error.rfind(c.message, 0), 0u)
            << joined(c.words) << ": \"" << error << "\" should start \"" << c.message << "\"";
    }
}
