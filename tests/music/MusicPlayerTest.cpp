// The music player against the real decoder library on SDL's dummy audio driver: start and stop
// with their reports, a track that ends by itself, and the silent runs that keep the demo going.
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

#include "Mp3Fixtures.h"
#include "music/MusicPlayer.h"

using namespace std::chrono_literals;

namespace {

class MusicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(platform::initialise());
        useAudioDriver("dummy");
    }

    void TearDown() override { removeScratchFiles(); }
};

TEST_F(MusicPlayerTest, PlaysUntilStoppedAndLeavesNothingBehind) {
    const std::string path = tone(3.0);
    {
        MusicPlayer player(path.c_str());
        EXPECT_EQ(currentPlayer, &player);
        ASSERT_NE(player.window, nullptr);
        ASSERT_NE(player.library, nullptr);
        EXPECT_TRUE(player.playEntry && player.stopEntry && player.timeEntry && player.seekEntry);
        ASSERT_NE(player.params, nullptr);
        EXPECT_NE(player.params->path, path.c_str());  // a private copy
        EXPECT_STREQ(player.params->path, path.c_str());
        EXPECT_EQ(player.params->reserved1, 0u);
        EXPECT_EQ(player.params->window, player.window);
        EXPECT_EQ(player.params->reserved2, 0u);
        EXPECT_FALSE(player.playing);

        player.start();
        EXPECT_TRUE(player.playing);
        EXPECT_TRUE(player.threadActive);
        EXPECT_NEAR(player.unitLength, 3.0, 0.05);
        EXPECT_EQ(player.trackInfo.sampleRate, 44100u);
        EXPECT_EQ(player.trackInfo.channels, 2u);

        pumpUntil([] { return false; }, 300ms);  // the main loop dispatching position reports
        EXPECT_TRUE(player.playing);
        const auto stopping = std::chrono::steady_clock::now();
        player.stop();
        EXPECT_LT(std::chrono::steady_clock::now() - stopping, 1s);
        EXPECT_FALSE(player.playing);
        EXPECT_FALSE(player.threadActive);
    }
    EXPECT_EQ(currentPlayer, nullptr);
    // The class and window went with the player, so a new one registers and plays again.
    MusicPlayer again(path.c_str());
    EXPECT_NE(again.window, nullptr);
    again.start();
    EXPECT_TRUE(again.playing);
}  // the destructor stops the playing track

TEST_F(MusicPlayerTest, TrackEndingByItselfClearsPlaying) {
    MusicPlayer player(tone(0.8).c_str());
    player.start();
    EXPECT_TRUE(player.playing);
    EXPECT_TRUE(pumpUntil([&] { return !player.playing; }, 5s));
    EXPECT_FALSE(player.threadActive);
    const auto stopping = std::chrono::steady_clock::now();
    player.stop();  // nothing to wait for
    EXPECT_LT(std::chrono::steady_clock::now() - stopping, 100ms);
}

TEST_F(MusicPlayerTest, WhatCannotPlayRunsSilent) {
    const struct {
        const char* what;
        const char* audio;
        bool track;
        const char* library;
    } cases[] = {
        {"missing decoder library", "dummy", true, "no-such-decoder.dll"},
        {"missing track", "dummy", false, "mp3.dll"},
        {"no audio device", "no-such-driver", true, "mp3.dll"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        useAudioDriver(c.audio);
        const std::string path = c.track ? tone(0.5) : scratchPath("missing.mp3");
        MusicPlayer player(path.c_str(), c.library);
        EXPECT_EQ(player.library == nullptr, std::strcmp(c.library, "mp3.dll") != 0);
        player.start();
        EXPECT_TRUE(player.playing);  // the first scene need not wait
        EXPECT_FALSE(player.threadActive);
        const auto stopping = std::chrono::steady_clock::now();
        player.stop();
        EXPECT_LT(std::chrono::steady_clock::now() - stopping, 100ms);
    }
}

// The demo may end without stopping the music. An exit handler registered before the library was
// loaded (as a platform that shuts SDL down at exit would) runs after the library's own exit
// handling, and by then the player thread must have let go of audio.
TEST_F(MusicPlayerTest, ExitWhilePlayingStopsThePlayerFirst) {
    GTEST_FLAG_SET(death_test_style,
                   "threadsafe");  // a fresh process: the library is not loaded yet
    const std::string path = tone(2.0);
    EXPECT_EXIT(
        {
            static MusicPlayer* player = nullptr;
            std::atexit([] { std::_Exit(player->playing && player->stopEntry() == 0 ? 3 : 5); });
            player = new MusicPlayer(path.c_str());  // never deleted, as in the demo
            player->start();
            pumpUntil([] { return false; }, 200ms);
            std::exit(4);
        },
        ::testing::ExitedWithCode(3), "");
}

TEST_F(MusicPlayerTest, WindowProcedureFollowsTheReports) {
    MusicPlayer player(scratchPath("unused.mp3").c_str());
    EXPECT_EQ(musicWindowProc(player.window, mp3Unused, 0, 0), 1);
    EXPECT_FALSE(player.playing);  // only a position report means playback is under way
    EXPECT_EQ(musicWindowProc(player.window, mp3Position, 1234, 0), 1);
    EXPECT_TRUE(player.playing);
    EXPECT_EQ(musicWindowProc(player.window, mp3Ended, 0, 0), 1);
    EXPECT_FALSE(player.playing);
    EXPECT_EQ(musicWindowProc(player.window, platform::msgUser + 7, 0, 0), 0);

    // Closing the hidden window ends the whole program through the main loop.
    EXPECT_EQ(musicWindowProc(player.window, platform::msgClose, 0, 0), 0);
    platform::Message message{};
    bool quit = false;
    for (int i = 0; i < 100 && !quit; ++i)
        quit = platform::peekMessage(&message) && message.message == platform::msgQuit;
    EXPECT_TRUE(quit);
    EXPECT_EQ(message.wParam, 0u);
}

}  // namespace
