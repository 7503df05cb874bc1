// The capture tool end to end on the generated data.dat: its timeline matches the show's derived
// arithmetic, stills of the countdown show something and change, larger frames keep the framing,
// the particles and smoother edges, videos have the asked codec, size, frames and sound, and bad
// requests fail clearly.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

std::vector<unsigned char> readPng(const std::string& path, unsigned width = 640,
                                   unsigned height = 480) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
    EXPECT_EQ(image.width, width) << path;
    EXPECT_EQ(image.height, height) << path;
    return pixels;
}

// A private temporary folder, removed with whatever was left in it.
class TempFolder {
public:
    TempFolder() {
        char temp[255];
        platform::getTempPath(sizeof temp, temp);
        char folder[255];
        if (platform::makePrivateFolder(temp, "capture-test-", sizeof folder, folder) > 0)
            path_ = folder;  // ends in a separator
    }
    ~TempFolder() {
        if (!path_.empty()) run("rm -rf " + path_);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// One still of frame at the given size and supersampling, read back; empty when the tool failed.
std::vector<unsigned char> still(long frame, int width, int height, int supersample = 1) {
    TempFolder folder;
    std::string command = tool + " --archive " + archive + " --png " + folder.path() +
                          " --frames " + std::to_string(frame) + " --size " +
                          std::to_string(width) + "x" + std::to_string(height) + " --supersample " +
                          std::to_string(supersample);
    if (run(command).second != 0) return {};
    char name[32];
    std::snprintf(name, sizeof name, "frame-%05ld.png", frame);
    return readPng(folder.path() + name, width, height);
}

// An RGB picture of width x height taken down by an integer factor, each block averaged.
std::vector<unsigned char> boxDown(const std::vector<unsigned char>& rgb, int width, int factor) {
    const int height = static_cast<int>(rgb.size() / 3 / width);
    const int w = width / factor, h = height / factor;
    std::vector<unsigned char> out(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = 0; dy < factor; ++dy)
                    for (int dx = 0; dx < factor; ++dx)
                        sum += rgb[((y * factor + dy) * width + x * factor + dx) * 3 + c];
                out[(y * w + x) * 3 + c] =
                    static_cast<unsigned char>((sum + factor * factor / 2) / (factor * factor));
            }
    return out;
}

// Peak signal-to-noise ratio of b against a, in dB, over the width x height window of each picture
// that starts dx, dy into b (the same window of a starts at 0, 0).
double psnr(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b, int width,
            int height, int dx = 0, int dy = 0) {
    const int w = width - std::abs(dx), h = height - std::abs(dy);
    double squares = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                double d =
                    double(a[((y + std::max(0, -dy)) * width + x + std::max(0, -dx)) * 3 + c]) -
                    double(b[((y + std::max(0, dy)) * width + x + std::max(0, dx)) * 3 + c]);
                squares += d * d;
            }
    double mean = squares / (3.0 * w * h);
    return mean == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mean);
}

// Pixels of the exhaust's red particles: strongly red, little green or blue.
long particlePixels(const std::vector<unsigned char>& rgb) {
    long count = 0;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        count += rgb[i] > 150 && rgb[i + 1] < 60 && rgb[i + 2] < 60;
    return count;
}

// Pixels beside the countdown's pure red digit that are neither the digit nor the background but
// a blend of both: red well above green and blue, but short of the digit's own red.
long blendedEdgePixels(const std::vector<unsigned char>& rgb, int width) {
    const int height = static_cast<int>(rgb.size() / 3 / width);
    auto at = [&](int x, int y) { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; };
    auto pureRed = [&](int x, int y) {
        const unsigned char* p = at(x, y);
        return p[0] > 240 && p[1] < 16 && p[2] < 16;
    };
    long count = 0;
    for (int y = 1; y + 1 < height; ++y)
        for (int x = 1; x + 1 < width; ++x) {
            const unsigned char* p = at(x, y);
            int redness = p[0] - std::max(p[1], p[2]);
            if (redness < 40 || pureRed(x, y) || redness > 220) continue;
            if (pureRed(x - 1, y) || pureRed(x + 1, y) || pureRed(x, y - 1) || pureRed(x, y + 1))
                ++count;
        }
    return count;
}

// ffprobe's value of one field of the first stream of a kind (v or a), as text.
std::string probe(const std::string& video, const std::string& kind, const std::string& field) {
    auto [output, status] = run("ffprobe -v error -count_frames -select_streams " + kind +
                                ":0 -show_entries stream=" + field +
                                " -of default=noprint_wrappers=1:nokey=1 " + video);
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
    return status == 0 ? output : "";
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

// A 1920x1440 still taken down to 640x480 is the 640x480 still of the same frame, only with its
// edges averaged: 32.5 dB on the countdown's frame 100. The same picture moved by a single pixel
// either way measures 23.0 to 23.8 dB (two pixels: 19.7 to 20.5), so 28 dB tells a kept framing
// from the smallest misframing with over 4 dB on either side.
TEST(CaptureTool, LargeStillsKeepTheFraming) {
    if (!haveArchive()) GTEST_SKIP() << "no generated data.dat in " << binFolder;
    const auto small = still(100, 640, 480);
    const auto large = still(100, 1920, 1440);
    ASSERT_FALSE(small.empty());
    ASSERT_FALSE(large.empty());
    const auto down = boxDown(large, 1920, 3);
    EXPECT_GT(psnr(small, down, 640, 480), 28.0);
    for (auto [dx, dy] : {std::pair{1, 0}, {0, 1}, {-1, 0}, {0, -1}})
        EXPECT_LT(psnr(small, down, 640, 480, dx, dy), 28.0) << "moved by " << dx << "," << dy;

    // Wider and taller frames hold the very same picture between black bars.
    const auto wide = still(100, 1280, 480);
    const auto tall = still(100, 640, 720);
    ASSERT_FALSE(wide.empty());
    ASSERT_FALSE(tall.empty());
    for (int y = 0; y < 480; ++y) {
        const unsigned char* row = &wide[static_cast<std::size_t>(y) * 1280 * 3];
        ASSERT_TRUE(std::equal(row + 320 * 3, row + 960 * 3, &small[y * 640 * 3])) << "row " << y;
        ASSERT_EQ(std::count(row, row + 320 * 3, 0), 320 * 3) << "left bar, row " << y;
        ASSERT_EQ(std::count(row + 960 * 3, row + 1280 * 3, 0), 320 * 3) << "right bar, row " << y;
    }
    EXPECT_TRUE(std::equal(small.begin(), small.end(), tall.begin() + 120 * 640 * 3));
    EXPECT_EQ(std::count(tall.begin(), tall.begin() + 120 * 640 * 3, 0), 120 * 640 * 3);
    EXPECT_EQ(std::count(tall.end() - 120 * 640 * 3, tall.end(), 0), 120 * 640 * 3);
}

// The exhaust's particles grow with the picture: at 3840x2160 (a 2880x2160 picture, 4.5 times
// 480 lines) they cover 4.5 squared times the pixels they cover at 640x480 (2493 and 50716 on
// frame 330, a ratio of 1.0 after that factor). Points kept at their 640x480 size would give
// about a twentieth.
TEST(CaptureTool, ParticlesStayVisibleAt4K) {
    if (!haveArchive()) GTEST_SKIP() << "no generated data.dat in " << binFolder;
    const auto small = still(330, 640, 480);
    const auto large = still(330, 3840, 2160);
    ASSERT_FALSE(small.empty());
    ASSERT_FALSE(large.empty());
    const long few = particlePixels(small), many = particlePixels(large);
    ASSERT_GT(few, 200) << "frame 330 should show the aeroplane's exhaust";
    const double ratio = double(many) / double(few) / (4.5 * 4.5);
    EXPECT_GT(ratio, 0.5) << few << " particle pixels at 640x480, " << many << " at 4K";
    EXPECT_LT(ratio, 2.0) << few << " particle pixels at 640x480, " << many << " at 4K";
}

// Supersampling blends the digit's edge with what lies behind it: the countdown's red 5 gains
// pixels of intermediate red along its outline (on frame 100: 37 without, 494 with 2x2 through
// the driver's multisampling, 431 with 3x3 drawn large and filtered down), and the picture is
// otherwise the same one (41.3 and 32.5 dB).
TEST(CaptureTool, SupersamplingSmoothsTheEdges) {
    if (!haveArchive()) GTEST_SKIP() << "no generated data.dat in " << binFolder;
    const auto plain = still(100, 640, 480, 1);
    ASSERT_FALSE(plain.empty());
    const long hard = blendedEdgePixels(plain, 640);
    for (int n : {2, 3}) {
        const auto smooth = still(100, 640, 480, n);
        ASSERT_FALSE(smooth.empty());
        const long soft = blendedEdgePixels(smooth, 640);
        EXPECT_GT(soft, 2 * hard + 100)
            << hard << " blended edge pixels without, " << soft << " with " << n << "x" << n;
        EXPECT_GT(psnr(plain, smooth, 640, 480), 28.0) << n << "x" << n;
    }
}

// A lossless range: FFV1 and FLAC in Matroska, the range's frame count, its sound as long as its
// pictures, and its last frame exactly the still of that frame.
TEST(CaptureTool, LosslessRangeKeepsEveryPixelAndItsSound) {
    if (!haveArchive()) GTEST_SKIP() << "no generated data.dat in " << binFolder;
    if (run("ffprobe -version").second != 0) GTEST_SKIP() << "no ffprobe (Debian package ffmpeg)";
    TempFolder folder;
    const std::string video = folder.path() + "range.mkv";
    ASSERT_EQ(run(tool + " --archive " + archive + " --video " + video +
                  " --lossless --size 320x240 --from 76 --to 100")
                  .second,
              0);
    EXPECT_EQ(probe(video, "v", "codec_name"), "ffv1");
    EXPECT_EQ(probe(video, "v", "width"), "320");
    EXPECT_EQ(probe(video, "v", "height"), "240");
    EXPECT_EQ(probe(video, "v", "nb_read_frames"), "25");
    EXPECT_EQ(probe(video, "a", "codec_name"), "flac");
    auto [duration, status] =
        run("ffprobe -v error -select_streams a:0 -show_entries "
            "packet=pts_time,duration_time -of csv=p=0 " +
            video + " | awk -F, '{end=$1+$2} END {print end}'");
    ASSERT_EQ(status, 0);
    EXPECT_NEAR(std::atof(duration.c_str()), 1.0, 0.05) << "25 frames are 1 s of sound";

    auto [last, decoded] =
        run("ffmpeg -v error -i " + video +
            " -vf 'select=eq(n\\,24)' -fps_mode passthrough -f rawvideo -pix_fmt rgb24 -");
    ASSERT_EQ(decoded, 0);
    const auto reference = still(100, 320, 240);
    ASSERT_EQ(last.size(), reference.size());
    EXPECT_TRUE(std::equal(reference.begin(), reference.end(),
                           reinterpret_cast<const unsigned char*>(last.data())));
}

TEST(CaptureTool, RefusesWhatItCannotDo) {
    EXPECT_EQ(run(tool + " --help").second, 0);
    EXPECT_NE(run(tool).second, 0);                               // nothing to do
    EXPECT_NE(run(tool + " --png /tmp").second, 0);               // no frames
    EXPECT_NE(run(tool + " --png /tmp --frames 3-1").second, 0);  // backwards range
    EXPECT_NE(run(tool + " --timeline --archive /no/such/data.dat").second, 0);
    EXPECT_EQ(run(tool + " --video x.mp4 --supersample 5").second, 2);
    EXPECT_EQ(run(tool + " --video x.mp4 --size 1919x1080").second, 2);
    EXPECT_EQ(run(tool + " --video x.mp4 --from 9 --to 3").second, 2);
    EXPECT_EQ(run(tool + " --video x.mkv --lossless --crf 0").second, 2);
    if (haveArchive()) {
        EXPECT_NE(run(tool + " --archive " + archive + " --png /proc/no-such --frames 1").second,
                  0);
    }
}
