// The decoder library as the program uses it: loaded at run time, mp3play on a thread of its own,
// reports arriving through the message queue. SDL's disk driver writes what the device played.
#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>

#include "Mp3Fixtures.h"
#include "music/libmp3/mp3.h"
#include "platform/SharedLibrary.h"
#include "platform/Thread.h"

using namespace std::chrono_literals;

namespace {

Mp3PlayEntry play = nullptr;
Mp3StopEntry stop = nullptr;
Mp3GetTimeEntry getTime = nullptr;
Mp3SeekEntry seek = nullptr;
std::atomic<bool> threadDone{false};

std::uint32_t playAndMark(void* params) {
    const std::uint32_t result = play(params);
    threadDone = true;
    return result;
}

class Mp3Library : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(platform::initialise());
        platform::LibraryHandle library = platform::loadLibrary("mp3.dll");  // kept: never unloaded
        ASSERT_NE(library, nullptr);
        play = reinterpret_cast<Mp3PlayEntry>(platform::getProcAddress(library, "mp3play"));
        stop = reinterpret_cast<Mp3StopEntry>(platform::getProcAddress(library, "mp3stop"));
        getTime =
            reinterpret_cast<Mp3GetTimeEntry>(platform::getProcAddress(library, "mp3gettime"));
        seek = reinterpret_cast<Mp3SeekEntry>(platform::getProcAddress(library, "mp3seek"));
    }

    void SetUp() override {
        ASSERT_TRUE(play && stop && getTime && seek);
        useAudioDriver("dummy");
        window = createRecordingWindow();
        ASSERT_NE(window, nullptr);
        threadDone = false;
    }

    void TearDown() override {
        stop();
        pumpUntil([] { return threadDone.load(); }, 3s);
        platform::destroyWindow(window);
        removeScratchFiles();
    }

    void startThread(const std::string& path) {
        paramsPath = path;
        params = PlayParams{paramsPath.c_str(), 0, window, 0};
        platform::ThreadHandle thread =
            platform::createThread(playAndMark, &params, false, nullptr);
        ASSERT_NE(thread, nullptr);
        platform::closeThreadHandle(thread);
    }

    bool waitForEnd(std::chrono::milliseconds timeout) {
        return pumpUntil([] { return countMessages(mp3Ended) > 0 && threadDone; }, timeout);
    }

    platform::WindowHandle window = nullptr;
    std::string paramsPath;
    PlayParams params{};
};

TEST_F(Mp3Library, DevicePlaysExactlyTheDecodedPcmAndReportsInOrder) {
    const std::string rawFile = scratchPath("device.raw");
    useAudioDriver("disk", rawFile);
    const std::string path = tone(1.2);

    PlayParams info{path.c_str(), 0, window, 0};
    TrackInfo trackInfo{};
    double seconds = -1;
    EXPECT_EQ(getTime(&info, &trackInfo, &seconds), 1);
    EXPECT_EQ(trackInfo.sampleRate, 44100u);
    EXPECT_EQ(trackInfo.channels, 2u);
    EXPECT_NEAR(seconds, 1.2, 0.03);

    startThread(path);
    ASSERT_TRUE(waitForEnd(10s));

    const auto& log = recordedMessages();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log.front().message, mp3Position);
    EXPECT_EQ(log.front().wParam, 0u);
    EXPECT_EQ(log.back().message, mp3Ended);
    EXPECT_EQ(countMessages(mp3Ended), 1);
    EXPECT_GE(countMessages(mp3Position), 3);  // 1.2 s at one report every 250 ms
    for (std::size_t i = 1; i + 1 < log.size(); ++i) {
        EXPECT_EQ(log[i].message, mp3Position);
        EXPECT_GE(log[i].wParam, log[i - 1].wParam);
        EXPECT_LE(log[i].wParam, 1200u);
    }

    long rate = 0;
    int channels = 0;
    const std::vector<unsigned char> expected = decodeReference(path, &rate, &channels);
    const std::vector<unsigned char> written = readFile(rawFile);
    ASSERT_GT(expected.size(), 100000u);
    ASSERT_GE(written.size(), expected.size());
    // The device plays silence while it waits to be resumed and while its last buffer plays out;
    // between the two lies every decoded sample, in order, nothing left out or added.
    const auto start =
        std::search(written.begin(), written.end(), expected.begin(), expected.end());
    ASSERT_NE(start, written.end());
    const auto isSilent = [](unsigned char b) { return b == 0; };
    EXPECT_TRUE(std::all_of(written.begin(), start, isSilent));
    EXPECT_TRUE(std::all_of(start + static_cast<long>(expected.size()), written.end(), isSilent));
}

TEST_F(Mp3Library, StopEndsPlaybackPromptlyAndIdleStopIsHarmless) {
    EXPECT_EQ(stop(), 0);  // nothing plays yet
    EXPECT_EQ(seek(100), 0);
    startThread(tone(3.0));
    ASSERT_TRUE(pumpUntil([] { return countMessages(mp3Position) >= 2; }, 5s));

    const auto stoppedAt = std::chrono::steady_clock::now();
    EXPECT_EQ(stop(), 1);
    ASSERT_TRUE(waitForEnd(2s));
    const auto& log = recordedMessages();
    const auto ended = std::find_if(log.begin(), log.end(),
                                    [](const RecordedMessage& m) { return m.message == mp3Ended; });
    EXPECT_LT(ended->when - stoppedAt, 500ms);  // a track left to play would take over 2 s
    EXPECT_EQ(log.back().message, mp3Ended);
    EXPECT_EQ(countMessages(mp3Ended), 1);
}

TEST_F(Mp3Library, SeekMovesThePlayPosition) {
    startThread(tone(3.0));
    ASSERT_TRUE(pumpUntil([] { return countMessages(mp3Position) >= 1; }, 5s));
    const auto seekedAt = std::chrono::steady_clock::now();
    EXPECT_EQ(seek(2200), 1);
    ASSERT_TRUE(waitForEnd(5s));
    const auto& log = recordedMessages();
    const bool movedOn = std::any_of(log.begin(), log.end(), [](const RecordedMessage& m) {
        return m.message == mp3Position && m.wParam >= 2200;
    });
    EXPECT_TRUE(movedOn);
    EXPECT_LT(log.back().when - seekedAt, 2s);  // 0.8 s were left after the seek
}

TEST_F(Mp3Library, UnplayableFilesReportOnlyTheEnd) {
    std::vector<unsigned char> noSync(40000);
    unsigned seed = 7;
    for (unsigned char& b : noSync) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<unsigned char>((seed >> 16) % 255);  // never 0xFF, so never a frame sync
    }
    const std::string garbage = scratchPath("garbage.mp3");
    writeFile(garbage, noSync);
    const std::string empty = scratchPath("empty.mp3");
    writeFile(empty, {});
    const std::string text = scratchPath("text.mp3");
    const std::string words = "ID3 is not enough: this is a letter, not a song.\n";
    writeFile(text, std::vector<unsigned char>(words.begin(), words.end()));

    for (const std::string& path : {scratchPath("missing.mp3"), garbage, empty, text}) {
        SCOPED_TRACE(path);
        recordedMessages().clear();
        PlayParams block{path.c_str(), 0, window, 0};
        TrackInfo trackInfo{1, 1};
        double seconds = -1;
        EXPECT_EQ(getTime(&block, &trackInfo, &seconds), 0);
        EXPECT_EQ(seconds, 0.0);
        EXPECT_EQ(trackInfo.sampleRate, 0u);
        EXPECT_EQ(play(&block), 1u);  // returns on this thread, no hang
        pumpUntil([] { return !recordedMessages().empty(); }, 2s);
        ASSERT_EQ(recordedMessages().size(), 1u);
        EXPECT_EQ(recordedMessages().front().message, mp3Ended);
    }
    EXPECT_EQ(play(nullptr), 1u);
    EXPECT_EQ(getTime(nullptr, nullptr, nullptr), 0);
    threadDone = true;
}

TEST_F(Mp3Library, NoAudioDeviceReportsOnlyTheEnd) {
    const std::string path = tone(0.5);
    useAudioDriver("no-such-driver");
    PlayParams block{path.c_str(), 0, window, 0};
    EXPECT_EQ(play(&block), 1u);
    pumpUntil([] { return !recordedMessages().empty(); }, 2s);
    ASSERT_EQ(recordedMessages().size(), 1u);
    EXPECT_EQ(recordedMessages().front().message, mp3Ended);
    threadDone = true;
}

}  // namespace
