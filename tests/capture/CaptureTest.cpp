// The capture tool end to end on the generated data.dat: its timeline matches the show's derived
// arithmetic, stills of the countdown show something and change, and bad requests fail clearly.
#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <png.h>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "tests/director/DerivedTimeline.h"

namespace {

const std::string tool = CAPTURE_PATH;
const std::string binFolder = BIN_FOLDER;
const std::string archive = binFolder + "/data.dat";

bool haveArchive() {
    std::FILE* file = std::fopen(archive.c_str(), "rb");
    if (file) std::fclose(file);
    return file != nullptr;
}

// Runs a command; its standard output and exit status.
std::pair<std::string, int> run(const std::string& command) {
    std::string output;
    std::FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return {"", -1};
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    int status = pclose(pipe);
    return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

std::vector<unsigned char> readPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
    EXPECT_EQ(image.width, 640u);
    EXPECT_EQ(image.height, 480u);
    return pixels;
}

int litPixels(const std::vector<unsigned char>& rgb) {
    int lit = 0;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        lit += (rgb[i] | rgb[i + 1] | rgb[i + 2]) > 16;
    return lit;
}

}  // namespace

TEST(CaptureTool, TimelineOfTheWholeShowMatchesTheDerivedArithmetic) {
    if (!haveArchive()) GTEST_SKIP() << "no generated data.dat in " << binFolder;
    auto [output, status] = run(tool + " --timeline --archive " + archive);
    ASSERT_EQ(status, 0);
    derived::Timeline t = derived::deriveTimeline();
    long total = t.countdown + t.departure + t.flyAround + t.gaze + t.approach + t.finale;
    char expected[512];
    std::snprintf(expected, sizeof expected,
                  "scene 1 phase 0: %ld frames\nscene 1 phase 1: %ld frames\nscene 2: %ld frames\n"
                  "scene 3: %ld frames\nscene 4: %ld frames\nscene 5: %ld frames\n"
                  "total: %ld frames, %.2f seconds at 25 fps\n",
                  t.countdown, t.departure, t.flyAround, t.gaze, t.approach, t.finale, total,
                  total / 25.0);
    EXPECT_EQ(output, expected);
}

TEST(CaptureTool, CountdownStillsAreNotBlankAndChange) {
    if (!haveArchive()) GTEST_SKIP() << "no generated data.dat in " << binFolder;
    char temp[255];
    platform::getTempPath(sizeof temp, temp);
    char folder[255];
    ASSERT_GT(platform::makePrivateFolder(temp, "capture-test-", sizeof folder, folder), 0u);
    auto [output, status] =
        run(tool + " --archive " + archive + " --png " + folder + " --frames 10,100,200");
    ASSERT_EQ(status, 0);
    std::vector<std::vector<unsigned char>> stills;
    for (const char* name : {"frame-00010.png", "frame-00100.png", "frame-00200.png"}) {
        std::string path = std::string(folder) + name;
        stills.push_back(readPng(path));
        EXPECT_GT(litPixels(stills.back()), 640 * 480 / 20) << path << " is nearly black";
        platform::deleteFile(path.c_str());
    }
    platform::removeFolder(folder);
    ASSERT_EQ(stills.size(), 3u);
    EXPECT_NE(stills[0], stills[1]);
    EXPECT_NE(stills[1], stills[2]);
}

TEST(CaptureTool, RefusesWhatItCannotDo) {
    EXPECT_EQ(run(tool + " --help").second, 0);
    EXPECT_NE(run(tool).second, 0);                               // nothing to do
    EXPECT_NE(run(tool + " --png /tmp").second, 0);               // no frames
    EXPECT_NE(run(tool + " --png /tmp --frames 3-1").second, 0);  // backwards range
    EXPECT_NE(run(tool + " --timeline --archive /no/such/data.dat").second, 0);
    if (haveArchive()) {
        EXPECT_NE(run(tool + " --archive " + archive + " --png /proc/no-such --frames 1").second,
                  0);
    }
}
