// What only the Windows build has, beside the shared platform suite: its path rules, mp3.dll's
// decoder (frame headers, the track from memory, seeking, refusals) and the flag from data.dat
// through the Win32 bitmap decoder. Run under Wine by scripts/test-windows.sh, with
// ORBEK_TEST_FILES naming the folder data.dat was unpacked into.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "music/libmp3/win32/AcmDecoder.h"
#include "music/libmp3/win32/Mp3Frames.h"
#include "platform/BitmapDecoder.h"
#include "platform/Files.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes readWhole(const std::string& path) {
    Bytes bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        unsigned char chunk[65536];
        std::size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + got);
        std::fclose(f);
    }
    return bytes;
}

std::string tempFolder() {
    char folder[512];
    return platform::getTempPath(sizeof folder, folder) ? std::string(folder) : std::string();
}

std::string writeTemp(const char* name, const Bytes& bytes) {
    const std::string path = tempFolder() + "orbek-win32-test-" + name;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

// A file unpacked from data.dat; the test fails when the folder is not given.
std::string dataFile(const char* name) {
    const char* folder = std::getenv("ORBEK_TEST_FILES");
    if (folder == nullptr || *folder == '\0') {
        ADD_FAILURE() << "ORBEK_TEST_FILES must name the folder data.dat was unpacked into";
        return std::string();
    }
    return std::string(folder) + "\\" + name;
}

}  // namespace

TEST(Win32Files, BackslashesSlashesAndDriveColonsAllSeparate) {
    EXPECT_EQ(platform::pathSeparator, '\\');
    EXPECT_TRUE(platform::isPathSeparator('\\'));
    EXPECT_TRUE(platform::isPathSeparator('/'));
    EXPECT_TRUE(platform::isPathSeparator(':'));
    char folder[512];
    EXPECT_EQ(platform::makePrivateFolder("Z:\\no\\such\\folder\\", "x-", sizeof folder, folder),
              0u);
}

TEST(Win32Bitmaps, TheFlagFromTheArchiveDecodesToItsOwnSize) {
    const Bytes file = readWhole(dataFile("bandera.bmp"));
    ASSERT_GT(file.size(), 54u);
    const int width = static_cast<int>(file[18] | file[19] << 8);
    const int height = static_cast<int>(file[22] | file[23] << 8);
    platform::DecodedBitmap decoded;
    ASSERT_TRUE(platform::decodeBitmapTo24(file.data(), file.size(), &decoded));
    EXPECT_EQ(decoded.width, width);
    EXPECT_EQ(decoded.height, height);
    unsigned char* end = decoded.rows + static_cast<std::size_t>(decoded.rowBytes) * decoded.height;
    EXPECT_TRUE(std::any_of(decoded.rows, end, [](unsigned char c) { return c != 0; }));
    platform::releaseDecodedBitmap(&decoded);
}

TEST(Mp3Frames, HeadersTagsAndTheFirstFrameAreFound) {
    const unsigned char mpeg1[4] = {0xFF, 0xFB, 0x90,
                                    0x64};  // Layer III, 128 kbit/s, 44.1 kHz, joint stereo
    FrameHeader header;
    ASSERT_TRUE(parseFrameHeader(mpeg1, 4, &header));
    EXPECT_TRUE(header.mpeg1);
    EXPECT_EQ(header.bitRate, 128000);
    EXPECT_EQ(header.sampleRate, 44100);
    EXPECT_EQ(header.channels, 2);
    EXPECT_EQ(header.samplesPerFrame, 1152);
    EXPECT_EQ(header.length, 417u);
    const unsigned char mpeg2Mono[4] = {0xFF, 0xF3, 0x52,
                                        0xC0};  // MPEG-2, 40 kbit/s, 22.05 kHz, padded, mono
    ASSERT_TRUE(parseFrameHeader(mpeg2Mono, 4, &header));
    EXPECT_FALSE(header.mpeg1);
    EXPECT_EQ(header.sampleRate, 22050);
    EXPECT_EQ(header.channels, 1);
    EXPECT_EQ(header.length, 131u);
    const unsigned char layer2[4] = {0xFF, 0xFD, 0x90, 0x64};
    const unsigned char freeRate[4] = {0xFF, 0xFB, 0x00, 0x64};
    EXPECT_FALSE(parseFrameHeader(layer2, 4, &header));
    EXPECT_FALSE(parseFrameHeader(freeRate, 4, &header));
    EXPECT_FALSE(parseFrameHeader(mpeg1, 3, &header));

    const unsigned char tag[10] = {'I', 'D', '3', 4, 0, 0x10, 0, 0, 0x01, 0x7F};
    EXPECT_EQ(id3v2TagSize(tag, 10), 10u + 255 + 10);
    const unsigned char badTag[10] = {'I', 'D', '3', 4, 0, 0, 0, 0x80, 0, 0};
    EXPECT_EQ(id3v2TagSize(badTag, 10), 0u);
    EXPECT_EQ(id3v2TagSize(tag, 9), 0u);

    // A lone sync word in front of two real frames is passed over.
    Bytes data(7 + 2 * 417, 0);
    std::memcpy(data.data() + 2, mpeg1, 4);
    std::memcpy(data.data() + 7, mpeg1, 4);
    std::memcpy(data.data() + 7 + 417, mpeg1, 4);
    EXPECT_EQ(findFirstFrame(data.data(), data.size(), &header), 7);
    EXPECT_EQ(findFirstFrame(data.data() + 11, 400, &header), -1);
}

namespace {

// Decodes up to limit bytes in pieces that are not a whole number of frames of every kind.
std::size_t decodeAll(AcmDecoder& decoder, std::size_t limit, bool* sound) {
    Bytes buffer(10000);
    std::size_t total = 0;
    while (total < limit) {
        const std::size_t got = decoder.read(buffer.data(), buffer.size());
        if (got == 0) break;
        EXPECT_EQ(got % static_cast<std::size_t>(decoder.bytesPerFrame()), 0u);
        *sound = *sound || std::any_of(buffer.begin(), buffer.begin() + got,
                                       [](unsigned char c) { return c != 0; });
        total += got;
    }
    return total;
}

}  // namespace

TEST(AcmDecoder, TheTrackDecodesFromMemorySeeksAndEnds) {
    const std::string mp3 = dataFile("musica.mp3");
    AcmDecoder header;
    ASSERT_TRUE(header.open(mp3.c_str(), AcmDecoder::Reading::headerOnly));
    EXPECT_EQ(header.sampleRate(), 44100);
    EXPECT_EQ(header.channels(), 2);
    EXPECT_GT(header.lengthSeconds(), 60.0);
    EXPECT_EQ(header.read(nullptr, 0), 0u);

    // The file is read whole and let go of at once: the program may delete it while it plays.
    const Bytes track = readWhole(mp3);
    const std::string copy = writeTemp("track.mp3", track);
    AcmDecoder decoder;
    ASSERT_TRUE(decoder.open(copy.c_str(), AcmDecoder::Reading::wholeFile));
    EXPECT_TRUE(platform::deleteFile(copy.c_str()));
    bool sound = false;
    const std::size_t second =
        static_cast<std::size_t>(decoder.sampleRate() * decoder.bytesPerFrame());
    EXPECT_GE(decodeAll(decoder, second, &sound), second);
    EXPECT_TRUE(sound);

    const std::int64_t reached = decoder.seekMilliseconds(60000);
    EXPECT_GT(reached, 59000);
    EXPECT_LT(reached, 61000);
    sound = false;
    EXPECT_GE(decodeAll(decoder, second, &sound), second);
    EXPECT_TRUE(sound);
    EXPECT_EQ(decoder.seekMilliseconds(10'000'000), -1);

    // A track cut short, behind a tag, plays to its end and no further.
    const std::size_t cutAt = 160000;
    Bytes shortTrack{'I', 'D', '3', 3, 0, 0, 0, 0, 0x0F, 0x76};  // 2038 bytes of tag
    shortTrack.resize(2048, 0);
    shortTrack.insert(shortTrack.end(), track.begin(),
                      track.begin() + std::min(cutAt, track.size()));
    const std::string cut = writeTemp("cut.mp3", shortTrack);
    AcmDecoder shortDecoder;
    ASSERT_TRUE(shortDecoder.open(cut.c_str(), AcmDecoder::Reading::wholeFile));
    platform::deleteFile(cut.c_str());
    sound = false;
    const double seconds =
        static_cast<double>(decodeAll(shortDecoder, 100 * second, &sound)) / second;
    const double expected =
        header.lengthSeconds() * static_cast<double>(cutAt) / static_cast<double>(track.size());
    EXPECT_TRUE(sound);
    EXPECT_NEAR(seconds, expected, expected * 0.1);
    Bytes rest(4096);
    EXPECT_EQ(shortDecoder.read(rest.data(), rest.size()), 0u);
}

TEST(AcmDecoder, FilesWithoutLayerThreeAudioAreRefused) {
    Bytes noise(200000);
    std::uint32_t state = 12345;
    for (unsigned char& b : noise) {
        state = state * 1103515245u + 12345u;
        b = static_cast<unsigned char>(state >> 24);
    }
    for (std::size_t i = 0; i + 1 < noise.size(); ++i)
        if (noise[i] == 0xFF) noise[i + 1] &= 0x1F;  // no sync word anywhere
    const char* names[] = {"noise.mp3", "empty.mp3"};
    const Bytes contents[] = {noise, {}};
    for (int i = 0; i < 2; ++i) {
        const std::string path = writeTemp(names[i], contents[i]);
        AcmDecoder decoder;
        EXPECT_FALSE(decoder.open(path.c_str(), AcmDecoder::Reading::wholeFile)) << names[i];
        EXPECT_FALSE(decoder.open(path.c_str(), AcmDecoder::Reading::headerOnly)) << names[i];
        platform::deleteFile(path.c_str());
    }
    AcmDecoder missing;
    EXPECT_FALSE(missing.open("Z:\\no\\such\\track.mp3", AcmDecoder::Reading::headerOnly));
    EXPECT_FALSE(missing.open(tempFolder().c_str(), AcmDecoder::Reading::wholeFile));
}
