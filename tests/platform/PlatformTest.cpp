// The platform layer as the program relies on it, the same on every system: files, folders, folder
// locks and the sweep of stale folders, regular-file opening and mappings, the wall clock, threads
// started suspended, missing libraries, boxes that never block, bitmap decoding, and a GL context
// with the demo's pixel format building outline digits. The message queue has a file of its own
// (MessageQueueTest.cpp), which the browser build runs too.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <atomic>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

#include "platform/BitmapDecoder.h"
#include "platform/BitmapFormat.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/GL.h"
#include "platform/GLContext.h"
#include "platform/MappedFile.h"
#include "platform/MessageBox.h"
#include "platform/OutlineFont.h"
#include "platform/PrintableText.h"
#include "platform/SharedLibrary.h"
#include "platform/Thread.h"
#include "platform/Window.h"

// Files, folders and mappings

namespace {

std::string tempFolder() {
    char folder[512];
    return platform::getTempPath(sizeof folder, folder) ? std::string(folder) : std::string();
}

bool canCreateFileIn(const std::string& folder) {
    const std::string path = folder + "probe.bin";
    if (!std::ofstream(path, std::ios::binary)) return false;
    platform::deleteFile(path.c_str());
    return true;
}

}  // namespace

TEST(Files, PrivateFoldersAreNewNamedAfterTheirPrefixAndRemovableOnlyWhenEmpty) {
    char temp[512];
    const unsigned length = platform::getTempPath(sizeof temp, temp);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(length, std::strlen(temp));
    EXPECT_TRUE(platform::isPathSeparator(temp[length - 1]));
    std::vector<char> tooShort(length);  // no room for the NUL
    EXPECT_EQ(platform::getTempPath(length, tooShort.data()), 0u);

    const char* const prefix = "orbek-test-";
    const unsigned prefixLength = static_cast<unsigned>(std::strlen(prefix));
    char first[512], second[512];
    const unsigned n1 = platform::makePrivateFolder(temp, prefix, sizeof first, first);
    const unsigned n2 = platform::makePrivateFolder(temp, prefix, sizeof second, second);
    ASSERT_GT(n1, length + prefixLength);
    ASSERT_GT(n2, length + prefixLength);
    EXPECT_STRNE(first, second);
    EXPECT_EQ(n1, std::strlen(first));
    EXPECT_EQ(first[n1 - 1], platform::pathSeparator);
    EXPECT_EQ(std::string(first, length + prefixLength), std::string(temp) + prefix);

    const std::string inside = std::string(first) + "file.bin";
    { std::ofstream(inside, std::ios::binary) << "x"; }
    EXPECT_FALSE(platform::removeFolder(first));  // not empty
    EXPECT_TRUE(platform::deleteFile(inside.c_str()));
    EXPECT_FALSE(platform::deleteFile(inside.c_str()));
    EXPECT_TRUE(platform::removeFolder(first));
    EXPECT_TRUE(platform::removeFolder(second));
    EXPECT_FALSE(canCreateFileIn(first));
    EXPECT_FALSE(canCreateFileIn(second));

    const std::string missing =
        std::string(temp) + "orbek-no-such-folder" + platform::pathSeparator;
    EXPECT_EQ(platform::makePrivateFolder(missing.c_str(), "x-", sizeof first, first), 0u);
}

TEST(Files, OnlyStaleFoldersOfOursAreSweptWhileHeldAndForeignOnesStay) {
    char parent[512];
    ASSERT_GT(platform::makePrivateFolder(tempFolder().c_str(), "orbek-sweep-test-", sizeof parent,
                                          parent),
              0u);
    const char* const prefix = "run-";
    const char* const lockName = "run..lock";
    auto makeFolder = [&](const char* in, const char* namePrefix) {
        char made[512];
        return platform::makePrivateFolder(in, namePrefix, sizeof made, made) ? std::string(made)
                                                                              : std::string();
    };
    auto put = [](const std::string& path) { return bool(std::ofstream(path) << "x"); };
    // A held lock file cannot even be opened for reading on Windows: ask for its name only.
    auto exists = [](const std::string& path) { return std::filesystem::exists(path); };

    // Left by a killed run: its lock file is there, nobody holds it.
    const std::string stale = makeFolder(parent, prefix);
    ASSERT_TRUE(put(stale + lockName) && put(stale + "music.mp3"));
    // A run that goes on.
    const std::string held = makeFolder(parent, prefix);
    platform::FolderLock lock;
    ASSERT_TRUE(lock.acquire(held.c_str(), lockName));
    ASSERT_TRUE(put(held + "music.mp3"));
    // Not recognisably ours: no lock file, or something a run of ours never makes.
    const std::string unmarked = makeFolder(parent, prefix);
    ASSERT_TRUE(put(unmarked + "music.mp3"));
    const std::string nested = makeFolder(parent, prefix);
    ASSERT_TRUE(put(nested + lockName));
    const std::string inner = makeFolder(nested.c_str(), "inner-");
    ASSERT_FALSE(inner.empty());
    // Another name.
    const std::string other = makeFolder(parent, "other-");
    ASSERT_TRUE(put(other + lockName));

    EXPECT_EQ(platform::removeStaleFolders(parent, prefix, lockName), 1u);
    EXPECT_FALSE(exists(stale + "music.mp3"));
    EXPECT_FALSE(platform::removeFolder(stale.c_str())) << "already gone";
    EXPECT_TRUE(exists(held + "music.mp3"));
    EXPECT_TRUE(exists(held + lockName));
    EXPECT_TRUE(exists(unmarked + "music.mp3"));
    EXPECT_TRUE(exists(nested + lockName));
    EXPECT_TRUE(exists(other + lockName));
    // A second lock on a held folder's file fails; a released lock takes its file with it.
    platform::FolderLock again;
    EXPECT_FALSE(again.acquire(held.c_str(), lockName));
    lock.release();
    EXPECT_FALSE(exists(held + lockName));
    EXPECT_EQ(platform::removeStaleFolders(parent, prefix, lockName), 0u);

    for (const std::string& file :
         {held + "music.mp3", unmarked + "music.mp3", nested + lockName, other + lockName})
        EXPECT_TRUE(platform::deleteFile(file.c_str())) << file;
    for (const std::string& folder : {held, unmarked, inner, nested, other})
        EXPECT_TRUE(platform::removeFolder(folder.c_str())) << folder;
    EXPECT_TRUE(platform::removeFolder(parent));
}

TEST(Files, OnlyRegularFilesOpenAsDataFiles) {
    const std::string path = tempFolder() + "orbek-regular-test.bin";
    { std::ofstream(path, std::ios::binary) << "data"; }
    bool notRegular = true;
    std::FILE* file = platform::openRegularFile(path.c_str(), &notRegular);
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(notRegular);
    char read[8] = {};
    EXPECT_EQ(std::fread(read, 1, sizeof read, file), 4u);
    EXPECT_STREQ(read, "data");
    std::fclose(file);
    EXPECT_TRUE(platform::deleteFile(path.c_str()));

    errno = 0;
    EXPECT_EQ(platform::openRegularFile(path.c_str(), &notRegular), nullptr);
    EXPECT_FALSE(notRegular);
    EXPECT_EQ(errno, ENOENT);
}

TEST(Files, SeparatorsAndTheExecutablesFolder) {
    EXPECT_TRUE(platform::isPathSeparator(platform::pathSeparator));
    EXPECT_TRUE(platform::isPathSeparator('/'));
    EXPECT_FALSE(platform::isPathSeparator('.'));
    const std::string folder = platform::executableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), platform::pathSeparator);
    EXPECT_TRUE(std::ifstream(folder + "platform_tests" + ORBEK_EXECUTABLE_SUFFIX).good())
        << folder;
}

TEST(MappedFiles, MapTheWholeFileForSeveralReadersAndRefuseEmptyMissingAndFolders) {
    const std::string path = tempFolder() + "orbek-map-test.bin";
    { std::ofstream(path, std::ios::binary).write("hello\0\xFF", 7); }
    platform::MappedFile file;
    ASSERT_TRUE(file.open(path.c_str()));
    ASSERT_EQ(file.size(), 7u);
    EXPECT_EQ(std::memcmp(file.data(), "hello\0\xFF", 7), 0);
    platform::MappedFile second;  // other readers may map it at the same time
    EXPECT_TRUE(second.open(path.c_str()));
    second.close();
    file.close();
    EXPECT_EQ(file.data(), nullptr);

    { std::ofstream(path, std::ios::binary | std::ios::trunc); }
    EXPECT_TRUE(platform::fileReadable(path.c_str()));
    platform::FileHandle handle = platform::openFileForMapping(path.c_str());
    ASSERT_NE(handle, platform::invalidFileHandle);
    EXPECT_EQ(platform::fileSize(handle), 0u);
    EXPECT_EQ(platform::createReadOnlyMapping(handle), nullptr);
    EXPECT_TRUE(platform::closeFile(handle));
    EXPECT_FALSE(file.open(path.c_str()));
    EXPECT_TRUE(platform::deleteFile(path.c_str()));
    EXPECT_FALSE(file.open(path.c_str()));
    EXPECT_FALSE(platform::fileReadable(path.c_str()));
    EXPECT_EQ(platform::openFileForMapping(tempFolder().c_str()), platform::invalidFileHandle);
}

// Text from files

TEST(PrintableText, ControlAndNonAsciiBytesAreEscapedAndEveryEscapeStandsForOneByte) {
    const struct {
        std::string bytes, printed;
    } cases[] = {
        {"", ""},
        {"plain name.bmp", "plain name.bmp"},
        {"\x1b]0;owned\x07\x1b[2J", "\\x1b]0;owned\\x07\\x1b[2J"},
        {std::string("a\0b\n\t\x7f", 6), "a\\x00b\\x0a\\x09\\x7f"},
        {"\x9b\xc3\xa9", "\\x9b\\xc3\\xa9"},
        // A literal "\x41" must not read as an escaped 'A'; other backslashes are left alone.
        {"\\x41", "\\x5cx41"},
        {"C:\\Temp\\orbek42-1\\a.bmp", "C:\\Temp\\orbek42-1\\a.bmp"},
        {"end\\", "end\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::printableText(c.bytes), c.printed) << c.printed;
    EXPECT_EQ(platform::printableText("\x1b[2Jrest", 4), "\\x1b[2J");
}

// Clock and threads

// Waits end no earlier than asked, and the clock never goes back; how late they end is a matter
// for the pacing benchmark, not for a test.
TEST(Clock, WaitsEndAtTheirDeadlineAndTheClockNeverGoesBack) {
    double last = platform::showClockMilliseconds();
    for (double ahead : {0.0, 0.5, 3.0, 12.0, -5.0}) {
        const double deadline = platform::showClockMilliseconds() + ahead;
        platform::waitUntil(deadline);
        const double now = platform::showClockMilliseconds();
        EXPECT_GE(now, deadline) << ahead;
        EXPECT_GE(now, last);
        last = now;
    }
}

TEST(Threads, ASuspendedThreadRunsOnlyAfterResume) {
    static std::atomic<int> ran{0};
    ran = 0;
    std::uint32_t id = 0;
    auto routine = [](void* argument) -> std::uint32_t {
        ran = *static_cast<int*>(argument);
        return 0;
    };
    int value = 42;
    platform::ThreadHandle thread = platform::createThread(routine, &value, true, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(ran.load(), 0);
    EXPECT_TRUE(platform::setThreadPriority(thread, platform::threadPriorityHighest));
    EXPECT_TRUE(platform::resumeThread(thread));
    for (int i = 0; i < 200 && ran.load() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(ran.load(), 42);
    EXPECT_TRUE(platform::closeThreadHandle(thread));
}

// Libraries and message boxes

TEST(SharedLibraries, AMissingLibraryOrEntryIsNullNotACrash) {
    EXPECT_EQ(platform::loadLibrary("no-such-library.dll"), nullptr);
    EXPECT_EQ(platform::loadLibrary(""), nullptr);
    EXPECT_EQ(platform::getProcAddress(nullptr, "mp3play"), nullptr);
}

TEST(MessageBoxes, HeadlessBoxesPrintCaptionAndTextAndAnswerTheDefault) {
    ASSERT_TRUE(platform::dialogsSuppressed());
    testing::internal::CaptureStderr();
    EXPECT_EQ(platform::messageBox(nullptr, "Program Will Now Close.", "ERROR",
                                   platform::mbOk | platform::mbIconStop),
              platform::idOk);
    EXPECT_EQ(platform::messageBox(nullptr, "Use Windowed Mode Instead?", "Q", platform::mbYesNo),
              platform::idNo);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "ERROR: Program Will Now Close.\nQ: Use Windowed Mode Instead?\n");
}

// Bitmaps

namespace {

struct Bitmap {
    int width, height, bits;
    std::uint32_t compression;
    std::vector<unsigned char> palette;  // blue, green, red, 0 per entry
    std::vector<unsigned char> pixels;   // as stored
};

void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

std::vector<unsigned char> bmpFile(const Bitmap& b) {
    std::vector<unsigned char> out{'B', 'M'};
    const std::uint32_t offset = static_cast<std::uint32_t>(14 + 40 + b.palette.size());
    put32(out, static_cast<std::uint32_t>(offset + b.pixels.size()));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(b.width));
    put32(out, static_cast<std::uint32_t>(b.height));
    put32(out, 1u | static_cast<std::uint32_t>(b.bits) << 16);
    put32(out, b.compression);
    put32(out, static_cast<std::uint32_t>(b.pixels.size()));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, static_cast<std::uint32_t>(b.palette.size() / 4));
    put32(out, 0);
    out.insert(out.end(), b.palette.begin(), b.palette.end());
    out.insert(out.end(), b.pixels.begin(), b.pixels.end());
    return out;
}

struct Decoded {
    int width = 0, height = 0;
    std::vector<unsigned char> rows;  // bottom-up, padding included; empty when refused
};

Decoded decode(const std::vector<unsigned char>& file) {
    platform::DecodedBitmap bitmap;
    Decoded result;
    if (!platform::decodeBitmapTo24(file.data(), file.size(), &bitmap)) {
        EXPECT_EQ(bitmap.rows, nullptr);
        return result;
    }
    EXPECT_EQ(bitmap.rowBytes, (bitmap.width * 3 + 3) / 4 * 4);
    result.width = bitmap.width;
    result.height = bitmap.height;
    result.rows.assign(bitmap.rows,
                       bitmap.rows + static_cast<std::size_t>(bitmap.rowBytes) * bitmap.height);
    platform::releaseDecodedBitmap(&bitmap);
    EXPECT_EQ(bitmap.rows, nullptr);
    return result;
}

using Bytes = std::vector<unsigned char>;
const Bytes fourColours = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 10, 20, 30, 0};
constexpr std::uint32_t rgb = platform::bmp::compressionRgb, rle8 = platform::bmp::compressionRle8,
                        rle4 = platform::bmp::compressionRle4;

}  // namespace

TEST(Bitmaps, EveryDepthComesOutAsBottomUpPaddedBgr) {
    // 24 bits, two rows of one pixel stored top-down (negative height): they come back bottom-up.
    Decoded d = decode(bmpFile({1, -2, 24, rgb, {}, {1, 2, 3, 0, 4, 5, 6, 0}}));
    EXPECT_EQ(d.width, 1);
    EXPECT_EQ(d.height, 2);
    EXPECT_EQ(d.rows, (Bytes{4, 5, 6, 0, 1, 2, 3, 0}));
    // 8 bits through the colour table, three pixels a row: each row padded to 12 bytes.
    d = decode(bmpFile({3, 2, 8, rgb, fourColours, {0, 1, 2, 0, 3, 3, 0, 0}}));
    EXPECT_EQ(d.width, 3);
    EXPECT_EQ(d.height, 2);
    EXPECT_EQ(d.rows, (Bytes{0,  0,  255, 0,  255, 0,  255, 0, 0,   0, 0, 0,  //
                             10, 20, 30,  10, 20,  30, 0,   0, 255, 0, 0, 0}));
    // 4 bits, run-length encoded: a run of three, then three pixels given literally, then the end.
    d = decode(bmpFile({6, 1, 4, rle4, fourColours, {3, 0x12, 0, 3, 0x30, 0x10, 0, 1}}));
    EXPECT_EQ(d.width, 6);
    EXPECT_EQ(d.rows,
              (Bytes{0, 255, 0, 255, 0, 0, 0, 255, 0, 10, 20, 30, 0, 0, 255, 0, 255, 0, 0, 0}));
    // 8 bits, run-length encoded, ending early: the rows it gave are kept.
    d = decode(bmpFile({2, 2, 8, rle8, fourColours, {2, 3, 0, 1}}));
    ASSERT_EQ(d.rows.size(), 16u);
    EXPECT_EQ(Bytes(d.rows.begin(), d.rows.begin() + 8), (Bytes{10, 20, 30, 10, 20, 30, 0, 0}));
}

TEST(Bitmaps, DamagedAndUnknownFilesAreRefused) {
    const Bytes good = bmpFile({2, 2, 24, rgb, {}, Bytes(16, 7)});
    EXPECT_FALSE(decode(good).rows.empty());
    EXPECT_TRUE(decode(Bytes(good.begin(), good.end() - 1)).rows.empty()) << "one pixel byte short";
    EXPECT_TRUE(decode(bmpFile({2, 2, 24, 7, {}, Bytes(16, 7)})).rows.empty()) << "compression";
    EXPECT_TRUE(decode(bmpFile({2, 2, 12, rgb, {}, Bytes(16, 7)})).rows.empty()) << "depth";
    EXPECT_TRUE(decode(bmpFile({0, 2, 24, rgb, {}, Bytes(16, 7)})).rows.empty()) << "width";
    EXPECT_TRUE(decode(bmpFile({2, -2, 8, rle8, fourColours, {0, 1}})).rows.empty())
        << "top-down runs";
    EXPECT_TRUE(decode(bmpFile({100000, 1, 24, rgb, {}, Bytes(16, 7)})).rows.empty())
        << "pixels missing";
    Bytes notBmp = good;
    notBmp[0] = 'X';
    EXPECT_TRUE(decode(notBmp).rows.empty());
    Bytes headerTooLong = good;
    headerTooLong[14] = 200;
    EXPECT_TRUE(decode(headerTooLong).rows.empty());
    platform::DecodedBitmap out;
    EXPECT_FALSE(platform::decodeBitmapTo24(good.data(), 10, &out));
    EXPECT_EQ(out.rows, nullptr);
}

TEST(Bitmaps, OneSideLimitOnEverySystemWhateverTheDataHolds) {
    using platform::bmp::maxSide;
    const int side = static_cast<int>(maxSide);
    // Run-length data ending at once paints nothing: a few bytes declare the whole image, black.
    const Bytes endAtOnce = {0, 1};
    Decoded d = decode(bmpFile({side, side, 8, rle8, fourColours, endAtOnce}));
    EXPECT_EQ(d.width, side);
    EXPECT_EQ(d.height, side);
    EXPECT_EQ(std::count(d.rows.begin(), d.rows.end(), 0),
              static_cast<std::ptrdiff_t>(d.rows.size()));
    const std::size_t wideRow = (static_cast<std::size_t>(side + 1) * 3 + 3) / 4 * 4;
    const struct {
        const char* what;
        Bitmap file;
    } refused[] = {
        {"one column more, run-length", {side + 1, side, 8, rle8, fourColours, endAtOnce}},
        {"one row more, run-length", {1, side + 1, 4, rle4, fourColours, endAtOnce}},
        {"16384 x 16384 run-length", {16384, 16384, 8, rle8, fourColours, endAtOnce}},
        {"one column more, every pixel there", {side + 1, 1, 24, rgb, {}, Bytes(wideRow, 7)}},
        {"one row more top-down, every pixel there",
         {1, -(side + 1), 8, rgb, fourColours, Bytes(std::size_t(side + 1) * 4, 1)}},
    };
    for (const auto& c : refused) EXPECT_TRUE(decode(bmpFile(c.file)).rows.empty()) << c.what;
}

// GL context and fonts

namespace {

std::intptr_t plainProcedure(platform::WindowHandle window, unsigned message, std::uintptr_t wParam,
                             std::intptr_t lParam) {
    return platform::defWindowProc(window, message, wParam, lParam);
}

}  // namespace

TEST(GLContext, TheDemosPixelFormatGivesADepthBufferAndOutlineDigits) {
    platform::initialise();
    const platform::ModuleHandle instance = platform::getModuleHandle();
    ASSERT_TRUE(platform::registerWindowClass("TestGL", plainProcedure, instance));
    platform::WindowHandle window =
        platform::createWindow("TestGL", "gl", false, 0, 0, 64, 48, instance);
    ASSERT_NE(window, nullptr);
    platform::DeviceContext dc = platform::getDC(window);
    ASSERT_NE(dc, nullptr);
    platform::PixelFormatDescriptor descriptor{};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags =
        platform::pfdDrawToWindow | platform::pfdSupportOpenGL | platform::pfdDoubleBuffer;
    descriptor.iPixelType = platform::pfdTypeRGBA;
    descriptor.cColorBits = 16;
    descriptor.cDepthBits = 16;
    descriptor.iLayerType = platform::pfdMainPlane;
    const int format = platform::choosePixelFormat(dc, &descriptor);
    ASSERT_GT(format, 0);
    ASSERT_TRUE(platform::setPixelFormat(dc, format, &descriptor));
    platform::RenderContext context = platform::createContext(dc);
    ASSERT_NE(context, nullptr);
    ASSERT_TRUE(platform::makeCurrent(dc, context));
    EXPECT_TRUE(platform::hasCurrentContext());
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);

    platform::FontHandle font = platform::createFont(-12, platform::fwBold, "Courier New");
    ASSERT_NE(font, nullptr);
    const GLuint base = glGenLists(96);
    platform::FontHandle previous = platform::selectFont(dc, font);
    EXPECT_TRUE(platform::useFontBitmaps(dc, 32, 96, base));
    glGetError();  // Wine's bitmap of the empty space glyph leaves GL_OUT_OF_MEMORY behind
    std::vector<platform::GlyphMetricsFloat> metrics(96);
    EXPECT_TRUE(platform::useFontOutlines(dc, 32, 96, base, 0.0f, 0.2f,
                                          platform::fontFormatPolygons, metrics.data()));
    // A monospace face: every digit advances alike, along X only; in em units.
    const float advance = metrics['0' - 32].gmfCellIncX;
    EXPECT_GT(advance, 0.3f);
    EXPECT_LT(advance, 1.0f);
    for (char digit = '1'; digit <= '5'; ++digit) {
        const platform::GlyphMetricsFloat& m = metrics[digit - 32];
        EXPECT_EQ(m.gmfCellIncX, advance) << digit;
        EXPECT_EQ(m.gmfCellIncY, 0.0f) << digit;
        EXPECT_GT(m.gmfBlackBoxX, 0.1f) << digit;
        EXPECT_GT(m.gmfBlackBoxY, 0.3f) << digit;
        EXPECT_LT(m.gmfBlackBoxY, 1.2f) << digit;
        EXPECT_TRUE(glIsList(base + digit - 32)) << digit;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    platform::selectFont(dc, previous);
    glDeleteLists(base, 96);
    EXPECT_TRUE(platform::deleteFont(font));
    EXPECT_TRUE(platform::swapBuffers(dc));
    EXPECT_TRUE(platform::makeCurrent(nullptr, nullptr));
    EXPECT_FALSE(platform::hasCurrentContext());
    EXPECT_TRUE(platform::deleteContext(context));
    EXPECT_TRUE(platform::releaseDC(window, dc));
    EXPECT_TRUE(platform::destroyWindow(window));
    EXPECT_TRUE(platform::unregisterWindowClass("TestGL", instance));
}
