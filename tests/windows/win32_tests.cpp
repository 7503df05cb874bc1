// Tests of the Win32 platform layer and of mp3.dll's decoder, run under Wine by
// scripts/test-windows.sh inside the smoke test's X session (the GL test needs a display):
//   win32_tests MP3 BMP     MP3 and BMP are files from data.dat
// Each group prints what failed; the last line counts the groups that passed and failed.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "music/libmp3/win32/AcmDecoder.h"
#include "music/libmp3/win32/Mp3Frames.h"
#include "platform/BitmapDecoder.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/GL.h"
#include "platform/GLContext.h"
#include "platform/MappedFile.h"
#include "platform/OutlineFont.h"
#include "platform/Thread.h"
#include "platform/Window.h"

namespace {

// Checks

bool groupOk = true;

#define CHECK(condition) check((condition), #condition, __LINE__)

void check(bool condition, const char* text, int line) {
    if (condition) return;
    std::printf("  line %d: %s\n", line, text);
    groupOk = false;
}

// Files

std::string tempFolder() {
    char folder[MAX_PATH];
    return platform::getTempPath(sizeof folder, folder) ? std::string(folder) : std::string();
}

std::vector<unsigned char> readWhole(const char* path) {
    std::vector<unsigned char> bytes;
    if (std::FILE* f = std::fopen(path, "rb")) {
        unsigned char chunk[65536];
        std::size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
        std::fclose(f);
    }
    return bytes;
}

std::string writeTemp(const char* name, const std::vector<unsigned char>& bytes) {
    const std::string path = tempFolder() + "orbek-win32-test-" + name;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

bool isFolder(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Message queue

struct Received {
    int procedure;
    platform::WindowHandle window;
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};
std::vector<Received> received;

std::intptr_t procedureA(platform::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (message >= platform::msgUser) received.push_back({1, window, message, wParam, lParam});
    return platform::defWindowProc(window, message, wParam, lParam);
}

std::intptr_t procedureB(platform::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (message >= platform::msgUser) received.push_back({2, window, message, wParam, lParam});
    return platform::defWindowProc(window, message, wParam, lParam);
}

void drain() {
    platform::Message message;
    while (platform::peekMessage(&message)) platform::dispatchMessage(&message);
}

struct Poster {
    platform::WindowHandle a, b;
    volatile LONG started;
};

std::uint32_t postAlternately(void* raw) {
    auto* poster = static_cast<Poster*>(raw);
    InterlockedExchange(&poster->started, 1);
    for (unsigned i = 0; i < 50; ++i)
        platform::postMessage(i % 2 ? poster->b : poster->a, 12000 + i % 3, i * 250, -static_cast<std::intptr_t>(i));
    return 0;
}

void messagesFromAnotherThreadReachTheirClassProcedureInOrder() {
    platform::initialise();
    const platform::ModuleHandle instance = platform::getModuleHandle();
    CHECK(platform::registerWindowClass("TESTA", procedureA, instance));
    CHECK(platform::registerWindowClass("TESTB", procedureB, instance));
    Poster poster{platform::createMessageWindow("TESTA", "a", instance),
                  platform::createMessageWindow("TESTB", "b", instance), 0};
    CHECK(poster.a != nullptr && poster.b != nullptr);
    received.clear();
    std::uint32_t id = 0;
    platform::ThreadHandle thread = platform::createThread(postAlternately, &poster, true, &id);
    CHECK(thread != nullptr && id != 0);
    Sleep(50);
    CHECK(poster.started == 0);  // created suspended
    CHECK(platform::setThreadPriority(thread, platform::threadPriorityHighest));
    CHECK(platform::resumeThread(thread));
    WaitForSingleObject(reinterpret_cast<HANDLE>(thread), 5000);
    CHECK(platform::closeThreadHandle(thread));
    drain();
    CHECK(received.size() == 50);
    for (unsigned i = 0; i < received.size() && i < 50; ++i) {
        const Received& r = received[i];
        CHECK(r.procedure == (i % 2 ? 2 : 1));
        CHECK(r.window == (i % 2 ? poster.b : poster.a));
        CHECK(r.message == 12000 + i % 3 && r.wParam == i * 250 && r.lParam == -static_cast<std::intptr_t>(i));
    }
    CHECK(platform::destroyWindow(poster.a) && platform::destroyWindow(poster.b));
    CHECK(platform::unregisterWindowClass("TESTA", instance) && platform::unregisterWindowClass("TESTB", instance));
}

void waitingForOneWindowLeavesTheOthersMessagesQueuedAndQuitComesLast() {
    const platform::ModuleHandle instance = platform::getModuleHandle();
    platform::registerWindowClass("TESTA", procedureA, instance);
    platform::WindowHandle a = platform::createMessageWindow("TESTA", "a", instance);
    platform::WindowHandle b = platform::createMessageWindow("TESTA", "b", instance);
    received.clear();
    platform::postMessage(a, 12001, 1, 0);
    platform::postMessage(b, 12002, 2, 0);
    platform::postMessage(a, 12003, 3, 0);
    platform::Message message{};
    CHECK(platform::getMessage(&message, b));
    CHECK(message.window == b && message.message == 12002 && message.wParam == 2);
    // A quit request waits until nothing else is queued, even what was posted after it.
    platform::postQuitMessage(3);
    platform::postMessage(b, 12004, 4, 0);
    for (unsigned expected : {12001u, 12003u, 12004u}) {
        CHECK(platform::peekMessage(&message) && message.message == expected);
        platform::dispatchMessage(&message);
    }
    CHECK(platform::peekMessage(&message) && message.message == platform::msgQuit && message.wParam == 3);
    CHECK(!platform::peekMessage(&message));
    CHECK(received.size() == 3 && received[0].window == a && received[1].message == 12003 && received[2].window == b);
    platform::destroyWindow(a);
    platform::destroyWindow(b);
    platform::unregisterWindowClass("TESTA", instance);
}

void classesCanBeRegisteredAgainAfterUnregistering() {
    const platform::ModuleHandle instance = platform::getModuleHandle();
    for (int round = 0; round < 40; ++round) {
        const bool registered = platform::registerWindowClass(round % 2 ? "TESTB" : "TESTA",
                                                              round % 2 ? procedureB : procedureA, instance);
        CHECK(registered);
        if (!registered) return;
        platform::WindowHandle window = platform::createMessageWindow(round % 2 ? "TESTB" : "TESTA", "w", instance);
        received.clear();
        platform::postMessage(window, 12000, 0, 0);
        drain();
        CHECK(received.size() == 1 && received[0].procedure == (round % 2 ? 2 : 1));
        platform::destroyWindow(window);
        CHECK(platform::unregisterWindowClass(round % 2 ? "TESTB" : "TESTA", instance));
    }
    CHECK(!platform::unregisterWindowClass("TESTA", instance));  // already gone
}

// Files, mappings and the clock

void privateFoldersAreNewAndRemovable() {
    char temp[MAX_PATH];
    const unsigned length = platform::getTempPath(sizeof temp, temp);
    CHECK(length > 0 && temp[length - 1] == '\\' && isFolder(temp));
    char tooShort[4];
    CHECK(platform::getTempPath(sizeof tooShort, tooShort) == 0);
    const char* const prefix = "orbek-win32-test-";
    const unsigned prefixLength = static_cast<unsigned>(std::strlen(prefix));
    char first[MAX_PATH], second[MAX_PATH];
    const unsigned n1 = platform::makePrivateFolder(temp, prefix, sizeof first, first);
    const unsigned n2 = platform::makePrivateFolder(temp, prefix, sizeof second, second);
    CHECK(n1 > length + prefixLength && n2 > length + prefixLength && std::strcmp(first, second) != 0);
    CHECK(n1 == std::strlen(first) && first[n1 - 1] == '\\');
    CHECK(std::strncmp(first + length, prefix, prefixLength) == 0);
    CHECK(isFolder(first) && isFolder(second));

    const std::string inside = std::string(first) + "file.bin";
    if (std::FILE* f = std::fopen(inside.c_str(), "wb")) std::fclose(f);
    CHECK(!platform::removeFolder(first));  // not empty
    CHECK(platform::deleteFile(inside.c_str()) && !platform::deleteFile(inside.c_str()));
    CHECK(platform::removeFolder(first) && platform::removeFolder(second));
    CHECK(!isFolder(first) && !isFolder(second));

    CHECK(platform::makePrivateFolder("Z:\\no\\such\\folder\\", "x-", sizeof first, first) == 0);
    CHECK(platform::isPathSeparator('\\') && platform::isPathSeparator('/') && platform::isPathSeparator(':'));
    CHECK(!platform::isPathSeparator('.') && platform::pathSeparator == '\\');
    const std::string exe = std::string(platform::executableFolder()) + "win32_tests.exe";
    CHECK(GetFileAttributesA(exe.c_str()) != INVALID_FILE_ATTRIBUTES);
}

void mappingsShowTheWholeFileAndRefuseEmptyMissingAndFolders() {
    const std::string path = writeTemp("map.bin", {'h', 'e', 'l', 'l', 'o', 0, 0xFF});
    platform::MappedFile file;
    CHECK(file.open(path.c_str()));
    CHECK(file.size() == 7 && file.data() != nullptr && std::memcmp(file.data(), "hello\0\xFF", 7) == 0);
    // Other readers may map it at the same time.
    platform::MappedFile second;
    CHECK(second.open(path.c_str()));
    second.close();
    file.close();
    CHECK(file.data() == nullptr);

    writeTemp("map.bin", {});
    platform::FileHandle handle = platform::openFileForMapping(path.c_str());
    CHECK(handle != platform::invalidFileHandle && platform::fileSize(handle) == 0);
    CHECK(platform::createReadOnlyMapping(handle) == nullptr);
    CHECK(platform::closeFile(handle));
    CHECK(!file.open(path.c_str()));
    CHECK(platform::deleteFile(path.c_str()));
    CHECK(!file.open(path.c_str()));
    CHECK(platform::openFileForMapping(tempFolder().c_str()) == platform::invalidFileHandle);
}

void theClockReadsTheWallClockWithMilliseconds() {
    const platform::WallClock first = platform::readWallClock();
    const long long now = static_cast<long long>(std::time(nullptr));
    CHECK(first.millis >= 0 && first.millis <= 999);
    CHECK(first.seconds >= now - 2 && first.seconds <= now + 2);
    Sleep(120);
    const platform::WallClock later = platform::readWallClock();
    const long long elapsed = (later.seconds - first.seconds) * 1000 + later.millis - first.millis;
    CHECK(elapsed >= 100 && elapsed < 1000);
}

// Bitmaps

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

// The decoded rows, bottom-up, padding included.
std::vector<unsigned char> decode(const std::vector<unsigned char>& file, int* width = nullptr, int* height = nullptr) {
    platform::DecodedBitmap decoded;
    if (!platform::decodeBitmapTo24(file.data(), file.size(), &decoded)) return {};
    std::vector<unsigned char> rows(decoded.rows, decoded.rows + static_cast<std::size_t>(decoded.rowBytes) * decoded.height);
    if (width != nullptr) *width = decoded.width;
    if (height != nullptr) *height = decoded.height;
    CHECK(decoded.rowBytes == (decoded.width * 3 + 3) / 4 * 4);
    platform::releaseDecodedBitmap(&decoded);
    CHECK(decoded.rows == nullptr);
    return rows;
}

const std::vector<unsigned char> fourColours = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 10, 20, 30, 0};

void bitmapsOfEveryDepthComeOutAsBottomUpPaddedBgr() {
    int width = 0, height = 0;
    // 24 bits, two rows of one pixel stored top-down (negative height): they come back bottom-up.
    std::vector<unsigned char> rows = decode(bmpFile({1, -2, 24, BI_RGB, {}, {1, 2, 3, 0, 4, 5, 6, 0}}), &width, &height);
    CHECK(width == 1 && height == 2);
    CHECK((rows == std::vector<unsigned char>{4, 5, 6, 0, 1, 2, 3, 0}));
    // 8 bits through the colour table, three pixels a row: each row padded to 12 bytes.
    rows = decode(bmpFile({3, 2, 8, BI_RGB, fourColours, {0, 1, 2, 0, 3, 3, 0, 0}}), &width, &height);
    CHECK(width == 3 && height == 2);
    CHECK((rows == std::vector<unsigned char>{0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0,  //
                                              10, 20, 30, 10, 20, 30, 0, 0, 255, 0, 0, 0}));
    // 4 bits, run-length encoded: a run of three, then three pixels given literally, then the end.
    rows = decode(bmpFile({6, 1, 4, BI_RLE4, fourColours, {3, 0x12, 0, 3, 0x30, 0x10, 0, 1}}), &width, &height);
    CHECK(width == 6 && height == 1);
    CHECK((rows == std::vector<unsigned char>{0, 255, 0, 255, 0, 0, 0, 255, 0, 10, 20, 30, 0, 0, 255, 0, 255, 0, 0, 0}));
    // 8 bits, run-length encoded, ending early: the pixels it skips stay black.
    rows = decode(bmpFile({2, 2, 8, BI_RLE8, fourColours, {2, 3, 0, 1}}), &width, &height);
    CHECK((rows == std::vector<unsigned char>{10, 20, 30, 10, 20, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

void damagedAndUnknownBitmapsAreRefused() {
    const std::vector<unsigned char> good = bmpFile({2, 2, 24, BI_RGB, {}, std::vector<unsigned char>(16, 7)});
    CHECK(!decode(good).empty());
    std::vector<unsigned char> cut(good.begin(), good.end() - 1);  // one pixel byte short
    CHECK(decode(cut).empty());
    CHECK(decode(bmpFile({2, 2, 24, 7, {}, std::vector<unsigned char>(16, 7)})).empty());        // compression
    CHECK(decode(bmpFile({2, 2, 12, BI_RGB, {}, std::vector<unsigned char>(16, 7)})).empty());   // depth
    CHECK(decode(bmpFile({0, 2, 24, BI_RGB, {}, std::vector<unsigned char>(16, 7)})).empty());   // width
    CHECK(decode(bmpFile({2, -2, 8, BI_RLE8, fourColours, {0, 1}})).empty());                  // top-down runs
    CHECK(decode(bmpFile({100000, 1, 24, BI_RGB, {}, std::vector<unsigned char>(16, 7)})).empty());
    std::vector<unsigned char> notBmp = good;
    notBmp[0] = 'X';
    CHECK(decode(notBmp).empty());
    std::vector<unsigned char> headerTooLong = good;
    headerTooLong[14] = 200;
    CHECK(decode(headerTooLong).empty());
    platform::DecodedBitmap out;
    CHECK(!platform::decodeBitmapTo24(good.data(), 10, &out) && out.rows == nullptr);
}

void theFlagBitmapDecodesToItsOwnSize(const char* path) {
    const std::vector<unsigned char> file = readWhole(path);
    CHECK(file.size() > 54);
    if (file.size() <= 54) return;
    const int width = static_cast<int>(file[18] | file[19] << 8);
    const int height = static_cast<int>(file[22] | file[23] << 8);
    int decodedWidth = 0, decodedHeight = 0;
    const std::vector<unsigned char> rows = decode(file, &decodedWidth, &decodedHeight);
    CHECK(!rows.empty() && decodedWidth == width && decodedHeight == height);
    bool coloured = false;
    for (unsigned char c : rows) coloured = coloured || c != 0;
    CHECK(coloured);
}

// MP3 decoding

void frameHeadersTagsAndTheFirstFrameAreFound() {
    const unsigned char mpeg1[4] = {0xFF, 0xFB, 0x90, 0x64};  // Layer III, 128 kbit/s, 44.1 kHz, joint stereo
    FrameHeader header;
    CHECK(parseFrameHeader(mpeg1, 4, &header));
    CHECK(header.mpeg1 && header.bitRate == 128000 && header.sampleRate == 44100 && header.channels == 2);
    CHECK(header.samplesPerFrame == 1152 && header.length == 417);
    const unsigned char mpeg2Mono[4] = {0xFF, 0xF3, 0x52, 0xC0};  // MPEG-2, 40 kbit/s, 22.05 kHz, padded, mono
    CHECK(parseFrameHeader(mpeg2Mono, 4, &header));
    CHECK(!header.mpeg1 && header.sampleRate == 22050 && header.channels == 1 && header.length == 131);
    const unsigned char layer2[4] = {0xFF, 0xFD, 0x90, 0x64};
    const unsigned char freeRate[4] = {0xFF, 0xFB, 0x00, 0x64};
    CHECK(!parseFrameHeader(layer2, 4, &header) && !parseFrameHeader(freeRate, 4, &header));
    CHECK(!parseFrameHeader(mpeg1, 3, &header));

    const unsigned char tag[10] = {'I', 'D', '3', 4, 0, 0x10, 0, 0, 0x01, 0x7F};
    CHECK(id3v2TagSize(tag, 10) == 10 + 255 + 10);
    const unsigned char badTag[10] = {'I', 'D', '3', 4, 0, 0, 0, 0x80, 0, 0};
    CHECK(id3v2TagSize(badTag, 10) == 0 && id3v2TagSize(tag, 9) == 0);

    // A lone sync word in front of two real frames is passed over.
    std::vector<unsigned char> data(7 + 2 * 417, 0);
    std::memcpy(data.data() + 2, mpeg1, 4);
    std::memcpy(data.data() + 7, mpeg1, 4);
    std::memcpy(data.data() + 7 + 417, mpeg1, 4);
    CHECK(findFirstFrame(data.data(), data.size(), &header) == 7);
    CHECK(findFirstFrame(data.data() + 11, 400, &header) == -1);
}

std::size_t decodeAll(AcmDecoder& decoder, std::size_t limit, bool* sound) {
    std::vector<unsigned char> buffer(10000);  // not a whole number of frames of every kind
    std::size_t total = 0;
    while (total < limit) {
        const std::size_t got = decoder.read(buffer.data(), buffer.size());
        if (got == 0) break;
        CHECK(got % static_cast<std::size_t>(decoder.bytesPerFrame()) == 0);
        for (std::size_t i = 0; i < got && !*sound; ++i) *sound = buffer[i] != 0;
        total += got;
    }
    return total;
}

void theTrackDecodesFromMemorySeeksAndEnds(const char* mp3) {
    AcmDecoder header;
    CHECK(header.open(mp3, AcmDecoder::Reading::headerOnly));
    CHECK(header.sampleRate() == 44100 && header.channels() == 2 && header.lengthSeconds() > 60.0);
    CHECK(header.read(nullptr, 0) == 0);

    // The file is read whole and let go of at once: the program may delete it while it plays.
    const std::vector<unsigned char> track = readWhole(mp3);
    const std::string copy = writeTemp("track.mp3", track);
    AcmDecoder decoder;
    CHECK(decoder.open(copy.c_str(), AcmDecoder::Reading::wholeFile));
    CHECK(platform::deleteFile(copy.c_str()));
    bool sound = false;
    const std::size_t second = static_cast<std::size_t>(decoder.sampleRate() * decoder.bytesPerFrame());
    CHECK(decodeAll(decoder, second, &sound) >= second && sound);

    const std::int64_t reached = decoder.seekMilliseconds(60000);
    CHECK(reached > 59000 && reached < 61000);
    sound = false;
    CHECK(decodeAll(decoder, second, &sound) >= second && sound);
    CHECK(decoder.seekMilliseconds(10'000'000) == -1);

    // A track cut short, behind a tag, plays to its end and no further.
    const std::size_t cutAt = 160000;
    std::vector<unsigned char> shortTrack{'I', 'D', '3', 3, 0, 0, 0, 0, 0x0F, 0x76};  // 2038 bytes of tag
    shortTrack.resize(2048, 0);
    shortTrack.insert(shortTrack.end(), track.begin(), track.begin() + std::min(cutAt, track.size()));
    const std::string cut = writeTemp("cut.mp3", shortTrack);
    AcmDecoder shortDecoder;
    CHECK(shortDecoder.open(cut.c_str(), AcmDecoder::Reading::wholeFile));
    platform::deleteFile(cut.c_str());
    sound = false;
    const std::size_t total = decodeAll(shortDecoder, 100 * second, &sound);
    const double seconds = static_cast<double>(total) / second;
    const double expected = header.lengthSeconds() * static_cast<double>(cutAt) / static_cast<double>(track.size());
    std::printf("  the first %zu bytes decode to %.2f s (about %.2f s expected)\n", cutAt, seconds, expected);
    CHECK(sound && seconds > expected * 0.9 && seconds < expected * 1.1);
    CHECK(shortDecoder.read(std::vector<unsigned char>(4096).data(), 4096) == 0);
}

void filesWithoutLayerThreeAudioAreRefused() {
    std::vector<unsigned char> noise(200000);
    std::uint32_t state = 12345;
    for (unsigned char& b : noise) {
        state = state * 1103515245u + 12345u;
        b = static_cast<unsigned char>(state >> 24);
    }
    for (std::size_t i = 0; i + 1 < noise.size(); ++i)
        if (noise[i] == 0xFF) noise[i + 1] &= 0x1F;  // no sync word anywhere
    const char* names[] = {"noise.mp3", "empty.mp3"};
    const std::vector<unsigned char> contents[] = {noise, {}};
    for (int i = 0; i < 2; ++i) {
        const std::string path = writeTemp(names[i], contents[i]);
        AcmDecoder decoder;
        CHECK(!decoder.open(path.c_str(), AcmDecoder::Reading::wholeFile));
        CHECK(!decoder.open(path.c_str(), AcmDecoder::Reading::headerOnly));
        platform::deleteFile(path.c_str());
    }
    AcmDecoder missing;
    CHECK(!missing.open("Z:\\no\\such\\track.mp3", AcmDecoder::Reading::headerOnly));
    CHECK(!missing.open(tempFolder().c_str(), AcmDecoder::Reading::wholeFile));
}

// GL context and fonts

std::intptr_t plainProcedure(platform::WindowHandle window, unsigned message, std::uintptr_t wParam,
                             std::intptr_t lParam) {
    return platform::defWindowProc(window, message, wParam, lParam);
}

void aContextWithTheDemosPixelFormatBuildsOutlineDigits() {
    const platform::ModuleHandle instance = platform::getModuleHandle();
    CHECK(platform::registerWindowClass("TESTGL", plainProcedure, instance));
    platform::WindowHandle window = platform::createWindow("TESTGL", "gl", false, 0, 0, 64, 48, instance);
    CHECK(window != nullptr);
    platform::DeviceContext dc = platform::getDC(window);
    CHECK(dc != nullptr);
    platform::PixelFormatDescriptor descriptor{};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags = platform::pfdDrawToWindow | platform::pfdSupportOpenGL | platform::pfdDoubleBuffer;
    descriptor.iPixelType = platform::pfdTypeRGBA;
    descriptor.cColorBits = 16;
    descriptor.cDepthBits = 16;
    descriptor.iLayerType = platform::pfdMainPlane;
    const int format = platform::choosePixelFormat(dc, &descriptor);
    CHECK(format > 0 && platform::setPixelFormat(dc, format, &descriptor));
    platform::RenderContext context = platform::createContext(dc);
    CHECK(context != nullptr && !platform::hasCurrentContext());
    CHECK(platform::makeCurrent(dc, context) && platform::hasCurrentContext());
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    CHECK(depthBits >= 16);

    platform::FontHandle font = platform::createFont(-12, platform::fwBold, "Courier New");
    CHECK(font != nullptr);
    const GLuint base = glGenLists(96);
    platform::FontHandle previous = platform::selectFont(dc, font);
    CHECK(platform::useFontBitmaps(dc, 32, 96, base));
    glGetError();  // Wine's bitmap of the empty space glyph leaves GL_OUT_OF_MEMORY behind
    std::vector<platform::GlyphMetricsFloat> metrics(256);
    CHECK(platform::useFontOutlines(dc, 32, 96, base, 0.0f, 0.2f, platform::fontFormatPolygons, metrics.data()));
    // A monospace face: every digit advances alike, along X only; in em units.
    const float advance = metrics['0' - 32].gmfCellIncX;
    CHECK(advance > 0.3f && advance < 1.0f);
    for (char digit = '1'; digit <= '5'; ++digit) {
        const platform::GlyphMetricsFloat& m = metrics[digit - 32];
        CHECK(m.gmfCellIncX == advance && m.gmfCellIncY == 0.0f);
        CHECK(m.gmfBlackBoxX > 0.1f && m.gmfBlackBoxY > 0.3f && m.gmfBlackBoxY < 1.2f);
        CHECK(glIsList(base + digit - 32));
    }
    CHECK(glGetError() == GL_NO_ERROR);
    platform::selectFont(dc, previous);
    glDeleteLists(base, 96);
    CHECK(platform::deleteFont(font));
    CHECK(platform::swapBuffers(dc));
    CHECK(platform::makeCurrent(nullptr, nullptr) && !platform::hasCurrentContext());
    CHECK(platform::deleteContext(context));
    CHECK(platform::releaseDC(window, dc));
    CHECK(platform::destroyWindow(window));
    CHECK(platform::unregisterWindowClass("TESTGL", instance));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: win32_tests MP3 BMP\n");
        return 2;
    }
    struct Group {
        const char* name;
        void (*run)(const char* mp3, const char* bmp);
    };
    const Group groups[] = {
        {"messages from another thread reach their class procedure in order",
         [](const char*, const char*) { messagesFromAnotherThreadReachTheirClassProcedureInOrder(); }},
        {"waiting for one window leaves the others' messages queued; quit comes last",
         [](const char*, const char*) { waitingForOneWindowLeavesTheOthersMessagesQueuedAndQuitComesLast(); }},
        {"classes can be registered again after unregistering",
         [](const char*, const char*) { classesCanBeRegisteredAgainAfterUnregistering(); }},
        {"private folders are new and removable",
         [](const char*, const char*) { privateFoldersAreNewAndRemovable(); }},
        {"mappings show the whole file and refuse empty, missing and folders",
         [](const char*, const char*) { mappingsShowTheWholeFileAndRefuseEmptyMissingAndFolders(); }},
        {"the clock reads the wall clock with milliseconds",
         [](const char*, const char*) { theClockReadsTheWallClockWithMilliseconds(); }},
        {"bitmaps of every depth come out as bottom-up padded BGR",
         [](const char*, const char*) { bitmapsOfEveryDepthComeOutAsBottomUpPaddedBgr(); }},
        {"damaged and unknown bitmaps are refused", [](const char*, const char*) { damagedAndUnknownBitmapsAreRefused(); }},
        {"the flag bitmap decodes to its own size", [](const char*, const char* bmp) { theFlagBitmapDecodesToItsOwnSize(bmp); }},
        {"frame headers, tags and the first frame are found",
         [](const char*, const char*) { frameHeadersTagsAndTheFirstFrameAreFound(); }},
        {"the track decodes from memory, seeks and ends",
         [](const char* mp3, const char*) { theTrackDecodesFromMemorySeeksAndEnds(mp3); }},
        {"files without Layer III audio are refused", [](const char*, const char*) { filesWithoutLayerThreeAudioAreRefused(); }},
        {"a context with the demo's pixel format builds outline digits",
         [](const char*, const char*) { aContextWithTheDemosPixelFormatBuildsOutlineDigits(); }},
    };
    int passed = 0, failed = 0;
    for (const Group& group : groups) {
        groupOk = true;
        group.run(argv[1], argv[2]);
        std::printf("%s %s\n", groupOk ? "ok  " : "FAIL", group.name);
        std::fflush(stdout);
        (groupOk ? passed : failed)++;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
