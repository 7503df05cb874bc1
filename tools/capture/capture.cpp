// orbek42-capture: the demo played offscreen, frame by frame without pacing, into a timeline, a
// video or still frames. It runs the very archive, start-up, director and scenes of the program;
// only the window is offscreen, the frames are drawn into a framebuffer of any size, and the music
// is taken as started on the first frame.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/AssetFolder.h"
#include "app/Demo.h"
#include "app/DemoWindow.h"
#include "app/FrameLayout.h"
#include "app/GLWindow.h"
#include "app/Objects.h"
#include "director/Director.h"
#include "director/Timeline.h"
#include "music/MusicPlayer.h"
#include "platform/Files.h"
#include "platform/GL.h"
#include "platform/MessageBox.h"
#include "platform/OffscreenFramebuffer.h"
#include "platform/Window.h"
#include "show/ShowConstants.h"
#include "tools/capture/CaptureOptions.h"
#include "tools/capture/FrameComposer.h"
#include "tools/capture/FrameWriter.h"
#include "tools/capture/Progress.h"
#include "tools/capture/VideoEncoder.h"

namespace {

constexpr int framesPerSecond = show::framesPerSecond;
// Frames that are only played on the way to a captured one are drawn this small: the show's state
// moves on exactly as at full size, at almost no cost. The same 4:3 keeps the projection.
constexpr int catchUpWidth = 64;
constexpr int catchUpHeight = 48;

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

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Where the time of the captured frames went, in milliseconds.
struct Stats {
    std::vector<double> render;  // the director's frame, its rendering finished
    double readBack = 0;
    double wall = 0;
};

void printStats(const Stats& stats, const FrameWriter& writer, long captured) {
    if (stats.render.empty()) return;
    std::vector<double> sorted = stats.render;
    std::sort(sorted.begin(), sorted.end());
    auto at = [&](double share) {
        return sorted[static_cast<std::size_t>(share * (sorted.size() - 1))];
    };
    std::printf("director: %zu frames, p50 %.2f ms, p99 %.2f ms, max %.2f ms\n", sorted.size(),
                at(0.5), at(0.99), sorted.back());
    double render = 0;
    for (double ms : stats.render) render += ms;
    const double n = captured > 0 ? double(captured) : 1.0;
    std::printf(
        "per captured frame: render %.1f ms, read-back %.1f ms, waiting for the writer "
        "%.1f ms; on the writer's thread: filter %.1f ms, to ffmpeg %.1f ms, PNG %.1f ms; "
        "wall %.1f ms (%.2f fps)\n",
        render / n, stats.readBack / n, writer.waitSeconds * 1000 / n,
        writer.filterSeconds * 1000 / n, writer.encodeSeconds * 1000 / n,
        writer.stillSeconds * 1000 / n, stats.wall / n,
        stats.wall > 0 ? n * 1000 / stats.wall : 0.0);
}

int fail(const std::string& message) {
    std::fprintf(stderr, "orbek42-capture: %s\n", message.c_str());
    return 1;
}

// What one run renders at full size, and how far it plays.
struct Plan {
    long from = 0, to = 0;  // the video's or statistics' frames, both included; to < from: none
    long last = 0;          // the last frame to play
    long captured = 0;      // frames rendered at full size
};

Plan planRun(const CaptureOptions& options, long showFrames) {
    Plan plan;
    const bool range = options.stats || !options.videoPath.empty();
    long last = showFrames - 1;
    if (options.maxFrames >= 0) last = std::min(last, options.maxFrames - 1);
    plan.from = options.from;
    plan.to = range ? std::min(options.to >= 0 ? options.to : last, last) : -1;
    plan.last = options.timeline ? last : -1;
    if (range) plan.last = std::max(plan.last, plan.to);
    for (long frame : options.pngFrames)
        if (frame <= last) plan.last = std::max(plan.last, frame);
    for (long frame = 0; frame <= plan.last; ++frame)
        if ((frame >= plan.from && frame <= plan.to) || options.pngFrames.count(frame))
            ++plan.captured;
    return plan;
}

// One run of the tool: the frames asked for, drawn into a framebuffer of their own, and what is
// written out. The window, which owns the started demo, is made around it and hands it back as the
// demo's context.
class CaptureRun {
public:
    CaptureRun(const CaptureOptions& options, const Plan& plan) : options(options), plan(plan) {}

    // The demo's start-up, run by the window once its GL context is current. An N x N
    // supersampling is done by the driver's multisampling when it offers N x N samples a pixel:
    // each pixel's colour is worked out once and only its coverage and depth per sample (on
    // llvmpipe, 2x2 this way took 12.4 s of processor time for 50 countdown frames at 1920x1440
    // against 14 s drawn large and filtered, the points staying square). Otherwise the picture is
    // drawn N times as large each way and box-filtered down. Either way, sizes in pixels grow with
    // what is drawn.
    static bool startDemo(void* context) {
        CaptureRun& run = *static_cast<CaptureRun*>(context);
        const int n = run.options.supersample;
        GLint mostSamples = 0;
        glGetIntegerv(GL_MAX_SAMPLES, &mostSamples);
        while (glGetError() != GL_NO_ERROR) {
        }
        run.samples = n > 1 && n * n <= mostSamples ? n * n : 1;
        run.layout = layoutFrame(run.options.width, run.options.height, run.samples > 1 ? 1 : n);
        return initDemo();
    }

    // Once the demo has started: the framebuffer the frames are drawn into and the video encoder.
    // Empty when ready, else what went wrong.
    std::string prepare() {
        GLint depthBits = 16;
        glGetIntegerv(GL_DEPTH_BITS, &depthBits);
        std::string error;
        if (!framebuffer.create(layout.renderWidth(), layout.renderHeight(), samples, depthBits,
                                &error))
            return error;
        resizeGLScene(layout.renderWidth(), layout.renderHeight());
        const int n = options.supersample;
        if (n > 1 && samples > 1)
            std::fprintf(stderr, "supersampling %dx%d: the driver's %d samples a pixel\n", n, n,
                         samples);
        else if (n > 1)
            std::fprintf(stderr, "supersampling %dx%d: drawn at %dx%d and filtered down\n", n, n,
                         layout.renderWidth(), layout.renderHeight());
        if (!options.videoPath.empty()) {
            if (!encoder.start(videoSettings(), &error)) return error;
            encoding = true;
        }
        writer = std::make_unique<FrameWriter>(layout, encoding ? &encoder : nullptr);
        // The music counts as started on the first frame.
        if (music != nullptr) music->playing = true;
        return "";
    }

    // Plays the show up to the plan's last frame. Empty on success, else what went wrong.
    std::string play() {
        Progress progress(plan.last + 1, plan.captured);
        bool fullSize = true;
        auto rangeStarted = std::chrono::steady_clock::now();
        for (long frame = 0; frame <= plan.last; ++frame) {
            if (!dispatchPending()) return "interrupted";
            const bool inRange = frame >= plan.from && frame <= plan.to;
            const bool wantPng = options.pngFrames.count(frame) != 0;
            const bool capture = inRange || wantPng;
            if (capture != fullSize) {
                drawFullSize(capture);
                fullSize = capture;
            }
            if (frame == plan.from) rangeStarted = std::chrono::steady_clock::now();
            auto started = std::chrono::steady_clock::now();
            if (!drawFrame()) break;  // the show is over; its last frame is not presented
            if (options.stats && inRange) {
                glFinish();
                stats.render.push_back(millisecondsSince(started));
            }
            ++counts[sceneShown()];
            ++presented;
            if (capture && (encoding || wantPng)) {
                unsigned char* pixels = writer->nextBuffer();
                if (pixels == nullptr) break;  // the writer failed; finish() says why
                started = std::chrono::steady_clock::now();
                framebuffer.readPixels(pixels);
                if (inRange) stats.readBack += millisecondsSince(started);
                writer->submit(inRange && encoding, wantPng ? stillPath(frame) : "");
            }
            progress.frameDone(frame, capture);
            if (frame == plan.to) stats.wall = millisecondsSince(rangeStarted);
        }
        std::string problem = writer->finish();
        if (stats.wall == 0) stats.wall = millisecondsSince(rangeStarted);
        progress.finish(presented);
        return problem;
    }

    // Back to the window's own framebuffer, before the window goes.
    void stopDrawing() { framebuffer.bind(false); }

    // The encoder's end, once the window has gone. Empty on success, else what went wrong.
    std::string finishVideo() {
        std::string error;
        if (encoding && !encoder.finish(&error)) return error;
        return "";
    }

    void report() const {
        if (options.timeline) printTimeline(counts, presented);
        if (options.stats)
            printStats(stats, *writer,
                       std::max(0L, std::min(plan.to, presented - 1) - plan.from + 1));
        if (encoding) std::fprintf(stderr, "video written to %s\n", options.videoPath.c_str());
    }

private:
    // Frames only played on the way to a captured one are drawn tiny, through the same resize
    // the window's own size change goes through.
    void drawFullSize(bool full) {
        framebuffer.bind(full);
        if (full)
            resizeGLScene(layout.renderWidth(), layout.renderHeight());
        else
            resizeGLScene(catchUpWidth, catchUpHeight);
    }

    std::string stillPath(long frame) const {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%05ld.png", frame);
        return options.pngFolder + name;
    }

    VideoSettings videoSettings() const {
        VideoSettings settings;
        settings.outputPath = options.videoPath;
        settings.soundtrackPath = std::string(tempFolder) + "musica.mp3";
        settings.width = layout.frameWidth;
        settings.height = layout.frameHeight;
        settings.framesPerSecond = framesPerSecond;
        settings.crf = options.crf;
        settings.preset = options.preset;
        settings.lossless = options.lossless;
        settings.soundStart = plan.from / double(framesPerSecond);
        settings.soundLength = (plan.to - plan.from + 1) / double(framesPerSecond);
        return settings;
    }

    const CaptureOptions& options;
    const Plan plan;
    FrameLayout layout;
    int samples = 1;
    platform::OffscreenFramebuffer framebuffer;
    VideoEncoder encoder;
    bool encoding = false;
    std::unique_ptr<FrameWriter> writer;
    Stats stats;
    long presented = 0;
    std::map<std::pair<int, int>, long> counts;
};

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

    // A tool runs without a person to click: its problems go to stderr, never into a box.
    platform::suppressDialogs();
    platform::useOffscreenVideo();
    platform::useSilentAudio();
    if (!platform::initialise()) return fail("the platform layer cannot start");

    AssetFolder assets(findArchive(options.archivePath).c_str());
    if (!assets.ready()) return fail(assets.problem());

    const Plan plan = planRun(options, showTimeline().total());
    if (!options.videoPath.empty() && plan.to < plan.from)
        return fail("--from " + std::to_string(options.from) + " lies after the show's last frame");

    // The window keeps the show's own size; the frames are drawn into a framebuffer of their own,
    // the picture fitted into it as into a window of that size.
    CaptureRun run(options, plan);
    setPictureFitted(true);
    DemoWindow window(DemoEntryPoints{
        CaptureRun::startDemo,
        [](void*) { return drawFrame(); },
        [](void*) { shutdownDemo(); },
        [](void*) { return showUnderWay(); },
        &run,
    });
    if (!window.open(false)) return fail("the window or the demo's start-up failed");
    std::string problem = run.prepare();
    if (problem.empty()) problem = run.play();
    run.stopDrawing();
    window.close();
    const std::string videoProblem = run.finishVideo();
    if (problem.empty()) problem = videoProblem;
    if (!problem.empty()) return fail(problem);
    run.report();
    return 0;
}
