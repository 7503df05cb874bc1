// orbek42-capture: the demo played offscreen, frame by frame without pacing, into a timeline, a
// video or still frames. It runs the very archive, start-up, director and scenes of the program;
// only the window is offscreen and the music is taken as started on the first frame.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/AssetFolder.h"
#include "app/Demo.h"
#include "app/GLWindow.h"
#include "app/Objects.h"
#include "director/Director.h"
#include "director/ShowConstants.h"
#include "director/Timeline.h"
#include "music/MusicPlayer.h"
#include "platform/Files.h"
#include "platform/GL.h"
#include "platform/Window.h"
#include "tools/capture/CaptureOptions.h"
#include "tools/capture/Progress.h"
#include "tools/capture/VideoEncoder.h"
#include "tools/png/SavePng.h"

namespace {

constexpr int width = show::screenWidth;
constexpr int height = show::screenHeight;
constexpr int framesPerSecond = show::framesPerSecond;

std::string findArchive(const std::string& given) {
    if (!given.empty()) return given;
    if (std::FILE* here = std::fopen("data.dat", "rb")) {
        std::fclose(here);
        return "data.dat";
    }
    return std::string(platform::executableFolder()) + "data.dat";
}

// Which scene a presented frame shows; scene 1 counts its two phases apart.
std::pair<int, int> sceneShown() {
    return {sceneIndex, sceneIndex == 0 ? sceneOnePhase : -1};
}

void printTimeline(const std::map<std::pair<int, int>, long>& counts, long total) {
    for (const auto& [scene, frames] : counts) {
        if (scene.second >= 0)
            std::printf("scene %d phase %d: %ld frames\n", scene.first + 1, scene.second, frames);
        else
            std::printf("scene %d: %ld frames\n", scene.first + 1, frames);
    }
    std::printf("total: %ld frames, %.2f seconds at %d fps\n", total,
                total / double(framesPerSecond), framesPerSecond);
}

// Drains the queue as the main loop does before every frame; false on a quit request.
bool dispatchPending() {
    platform::Message message;
    while (platform::peekMessage(&message)) {
        if (message.message == platform::msgQuit) return false;
        platform::translateMessage(&message);
        platform::dispatchMessage(&message);
    }
    return true;
}

// The director's time for one frame, its rendering finished, in milliseconds.
std::vector<double> frameTimes;

void printFrameStats() {
    if (frameTimes.empty()) return;
    std::vector<double> sorted = frameTimes;
    std::sort(sorted.begin(), sorted.end());
    auto at = [&](double share) {
        return sorted[static_cast<std::size_t>(share * (sorted.size() - 1))];
    };
    std::printf("director: %zu frames, p50 %.2f ms, p99 %.2f ms, max %.2f ms\n", sorted.size(),
                at(0.5), at(0.99), sorted.back());
}

std::vector<unsigned char> readBackBuffer() {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::vector<unsigned char> topDown(const std::vector<unsigned char>& bottomUp) {
    std::vector<unsigned char> rows(bottomUp.size());
    const std::size_t row = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        std::copy_n(&bottomUp[(height - 1 - y) * row], row, &rows[y * row]);
    return rows;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "orbek42-capture: %s\n", message.c_str());
    return 1;
}

// Plays the show once the window and start-up exist. Empty on success, else what went wrong.
std::string play(const CaptureOptions& options, VideoEncoder* video, long* presented,
                 std::map<std::pair<int, int>, long>* counts) {
    Progress progress(options.maxFrames >= 0 ? options.maxFrames : showTimeline().total());
    // Stills alone need the show only up to the last one asked for.
    const bool wholeShow = options.timeline || options.stats || !options.videoPath.empty();
    const long lastPng = options.pngFrames.empty() ? -1 : *options.pngFrames.rbegin();
    for (long frame = 0;; ++frame) {
        if (options.maxFrames >= 0 && frame >= options.maxFrames) break;
        if (!wholeShow && frame > lastPng) break;
        if (!dispatchPending()) return "interrupted";
        auto started = std::chrono::steady_clock::now();
        if (!drawFrame()) break;  // the show is over; its last frame is not presented
        if (options.stats) {
            glFinish();
            frameTimes.push_back(std::chrono::duration<double, std::milli>(
                                     std::chrono::steady_clock::now() - started)
                                     .count());
        }
        ++(*counts)[sceneShown()];
        ++*presented;
        const bool wantPng = options.pngFrames.count(frame) != 0;
        if (video != nullptr || wantPng) {
            std::vector<unsigned char> pixels = readBackBuffer();
            if (video != nullptr && !video->addFrame(pixels)) return "ffmpeg stopped taking frames";
            if (wantPng) {
                char name[32];
                std::snprintf(name, sizeof name, "frame-%05ld.png", frame);
                std::string path = options.pngFolder + "/" + name;
                if (!savePng(path, width, height, topDown(pixels))) return "cannot write " + path;
            }
        }
        platform::swapBuffers(deviceContext);
        progress.frameDone(frame);
    }
    progress.finish(*presented);
    return std::string();
}

}  // namespace

int main(int argc, char** argv) {
    CaptureOptions options;
    std::string error;
    if (!parseCaptureOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "orbek42-capture: %s\n\n%s", error.c_str(), captureUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(captureUsage, stdout);
        return 0;
    }
    if (!options.pngFolder.empty()) {
        std::string probe = options.pngFolder + "/.orbek42-capture-probe";
        std::FILE* file = std::fopen(probe.c_str(), "wb");
        if (file == nullptr) return fail("cannot write into " + options.pngFolder);
        std::fclose(file);
        platform::deleteFile(probe.c_str());
    }

    platform::useOffscreenVideo();
    platform::useSilentAudio();
    if (!platform::initialise()) return fail("the platform layer cannot start");

    AssetFolder assets(findArchive(options.archivePath).c_str());
    if (!assets.ready()) return fail(assets.problem());

    VideoEncoder encoder;
    VideoEncoder* video = nullptr;
    if (!options.videoPath.empty()) {
        if (!encoder.start(options.videoPath, std::string(tempFolder) + "musica.mp3", width, height,
                           framesPerSecond, &error))
            return fail(error);
        video = &encoder;
    }

    // A window of exactly the frame's size: no display mode to change, nothing to scale.
    const DemoEntryPoints demo{initDemo, drawFrame, shutdownDemo};
    if (!createGLWindow(show::windowTitle, width, height, show::screenBits, false, demo)) {
        if (video != nullptr) video->finish(&error);
        return fail("the window or the demo's start-up failed");
    }
    if (music != nullptr) music->playing = true;

    long presented = 0;
    std::map<std::pair<int, int>, long> counts;
    std::string problem = play(options, video, &presented, &counts);
    demo.shutdownDemo();
    killGLWindow();
    if (video != nullptr && !video->finish(&error) && problem.empty()) problem = error;
    if (!problem.empty()) return fail(problem);

    if (options.timeline) printTimeline(counts, presented);
    if (options.stats) printFrameStats();
    if (video != nullptr) std::fprintf(stderr, "video written to %s\n", options.videoPath.c_str());
    return 0;
}
