// Shared helpers for the music tests: MP3 files made on the spot with LAME, libmpg123's own decode
// of them as the reference, scratch files per test, and a window that records its messages.
#include "Mp3Fixtures.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <lame/lame.h>
#include <mpg123.h>
#include <thread>

namespace {

std::vector<RecordedMessage> messages;
std::vector<std::string> scratchFiles;

std::intptr_t recordingProc(platform::WindowHandle, unsigned message, std::uintptr_t wParam,
                            std::intptr_t) {
    messages.push_back(RecordedMessage{message, wParam, std::chrono::steady_clock::now()});
    return 1;
}

std::vector<unsigned char> encodeTone(double seconds) {
    constexpr int sampleRate = 44100;
    const int frames = static_cast<int>(seconds * sampleRate);
    std::vector<short> pcm(static_cast<std::size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        pcm[2 * i] = static_cast<short>(8000 * std::sin(2 * M_PI * 440 * t));
        pcm[2 * i + 1] = static_cast<short>(8000 * std::sin(2 * M_PI * 660 * t));
    }
    lame_t lame = lame_init();
    lame_set_in_samplerate(lame, sampleRate);
    lame_set_out_samplerate(lame, sampleRate);
    lame_set_num_channels(lame, 2);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_brate(lame, 128);
    lame_set_quality(lame, 7);
    lame_set_bWriteVbrTag(lame, 1);
    EXPECT_EQ(lame_init_params(lame), 0);
    std::vector<unsigned char> mp3(static_cast<std::size_t>(frames) * 5 / 4 + 16384);
    int written = lame_encode_buffer_interleaved(lame, pcm.data(), frames, mp3.data(),
                                                 static_cast<int>(mp3.size()));
    EXPECT_GE(written, 0);
    written +=
        lame_encode_flush(lame, mp3.data() + written, static_cast<int>(mp3.size()) - written);
    mp3.resize(static_cast<std::size_t>(written));
    // The encoder left the first frame blank for the Info tag that carries the exact length.
    unsigned char tag[2880];
    const std::size_t tagSize = lame_get_lametag_frame(lame, tag, sizeof tag);
    if (tagSize > 0 && tagSize <= mp3.size()) std::copy(tag, tag + tagSize, mp3.begin());
    lame_close(lame);
    return mp3;
}

}  // namespace

std::vector<unsigned char> decodeReference(const std::string& path, long* sampleRate,
                                           int* channels) {
    mpg123_init();
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    std::vector<unsigned char> pcm;
    int encoding = 0;
    if (handle == nullptr) return pcm;
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    if (mpg123_open(handle, path.c_str()) == MPG123_OK &&
        mpg123_getformat(handle, sampleRate, channels, &encoding) == MPG123_OK) {
        EXPECT_EQ(encoding, MPG123_ENC_SIGNED_16);
        unsigned char buffer[8192];
        for (;;) {
            std::size_t done = 0;
            const int result = mpg123_read(handle, buffer, sizeof buffer, &done);
            pcm.insert(pcm.end(), buffer, buffer + done);
            if (result != MPG123_OK && result != MPG123_NEW_FORMAT) break;
        }
    }
    mpg123_close(handle);
    mpg123_delete(handle);
    return pcm;
}

std::string scratchPath(const std::string& suffix) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name =
        std::string("orbek-music-") + test->test_suite_name() + "-" + test->name() + "-" + suffix;
    scratchFiles.push_back((std::filesystem::temp_directory_path() / name).string());
    return scratchFiles.back();
}

void removeScratchFiles() {
    std::error_code ignored;
    for (const std::string& path : scratchFiles) std::filesystem::remove(path, ignored);
    scratchFiles.clear();
}

std::string tone(double seconds) {
    const std::string path = scratchPath("tone.mp3");
    writeFile(path, encodeTone(seconds));
    return path;
}

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>());
}

void useAudioDriver(const char* driver, const std::string& diskFile) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    if (!diskFile.empty()) setenv("SDL_DISKAUDIOFILE", diskFile.c_str(), 1);
}

platform::WindowHandle createRecordingWindow() {
    platform::ModuleHandle instance = platform::getModuleHandle();
    platform::registerWindowClass("MP3TESTCLASS", recordingProc, instance);  // kept across tests
    messages.clear();
    return platform::createMessageWindow("MP3TESTCLASS", "recorder", instance);
}

std::vector<RecordedMessage>& recordedMessages() {
    return messages;
}

int countMessages(unsigned message) {
    int count = 0;
    for (const RecordedMessage& m : messages) count += m.message == message ? 1 : 0;
    return count;
}

bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        platform::Message message{};
        if (platform::peekMessage(&message)) {
            platform::translateMessage(&message);
            platform::dispatchMessage(&message);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    return true;
}
