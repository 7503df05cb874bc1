// Benchmark of the show's pacing, natively: the real program (archive, window, start-up, director,
// music) played on the display given for SECONDS of show, its frames timed as they are handed to
// the window system to swap.
// Prints the frame intervals (p50, p95, p99, max), the frames stepped unseen, the main thread's
// processor time per second of show against the drawing's own share of it, the whole process's,
// and how late the system wakes a sleep of 20 ms (the margin the wait spins through covers that).
// Run from the folder with data.dat, on a display:  bench_pacing [SECONDS]
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/Demo.h"
#include "app/WinMain.h"
#include "app/mainLoop.h"
#include "director/Director.h"
#include "platform/Window.h"

namespace {

double showSeconds = 20.0;
LoopServices real;
std::vector<double> swaps;  // the show clock as each show frame's swap begins
double swapBegan = 0.0;
long unseen = 0;
double firstFrameAt = -1.0;
double drawingCpu = 0.0;  // the main thread's processor seconds inside drawFrame
double cpuAtFirstFrame = 0.0, processCpuAtFirstFrame = 0.0;
double cpuAtEnd = 0.0, processCpuAtEnd = 0.0, wallAtEnd = 0.0;
bool ended = false;

double cpuSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void recordFrame(long frame, bool shown) {
    const double now = real.now();
    if (frame == 0) {
        firstFrameAt = now;
        cpuAtFirstFrame = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        processCpuAtFirstFrame = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    }
    if (shown)
        swaps.push_back(swapBegan);
    else
        ++unseen;
    if (!ended && now - firstFrameAt >= showSeconds * 1000.0) {
        ended = true;
        wallAtEnd = now;
        cpuAtEnd = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        processCpuAtEnd = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        platform::postQuitMessage(0);
    }
    real.showFrameDone(frame, shown);
}

// The swap's own time is the window system's: the frames are timed as they are handed to it.
void timedPresent() {
    swapBegan = real.now();
    real.present();
}

bool timedDrawFrame(void*) {
    const double before = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    const bool goesOn = drawFrame();
    if (firstFrameAt >= 0.0 && !ended) drawingCpu += cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - before;
    return goesOn;
}

double percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

void measureSleeps() {
    std::vector<double> late;
    for (int i = 0; i < 100; ++i) {
        const double deadline = cpuSeconds(CLOCK_MONOTONIC) * 1000.0 + 20.0;
        timespec until{};
        until.tv_sec = static_cast<time_t>(deadline / 1000.0);
        until.tv_nsec = static_cast<long>((deadline - until.tv_sec * 1000.0) * 1e6);
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
        late.push_back(cpuSeconds(CLOCK_MONOTONIC) * 1000.0 - deadline);
    }
    std::printf("a 20 ms sleep wakes late by: p50 %.3f ms, p90 %.3f ms, p99 %.3f ms, max %.3f ms\n",
                percentile(late, 0.5), percentile(late, 0.9), percentile(late, 0.99),
                percentile(late, 1.0));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) showSeconds = std::atof(argv[1]);
    measureSleeps();
    real = loopServices;
    loopServices.showFrameDone = recordFrame;
    loopServices.present = timedPresent;
    const DemoEntryPoints demo{
        [](void*) { return initDemo(); },
        timedDrawFrame,
        [](void*) { shutdownDemo(); },
        [](void*) { return showUnderWay(); },
    };
    const int status = winMain(demo);
    if (!ended) {
        std::fprintf(stderr, "bench_pacing: the show ended before %.0f s (status %d)\n",
                     showSeconds, status);
        return 1;
    }
    std::vector<double> intervals;
    for (std::size_t i = 1; i < swaps.size(); ++i) intervals.push_back(swaps[i] - swaps[i - 1]);

    const double wall = (wallAtEnd - firstFrameAt) / 1000.0;
    const double thread = cpuAtEnd - cpuAtFirstFrame;
    const double process = processCpuAtEnd - processCpuAtFirstFrame;
    std::printf("%.1f s of show: %zu frames shown, %ld stepped unseen\n", wall, swaps.size(),
                unseen);
    std::printf("frame interval: p50 %.2f ms, p95 %.2f ms, p99 %.2f ms, max %.2f ms\n",
                percentile(intervals, 0.5), percentile(intervals, 0.95),
                percentile(intervals, 0.99), percentile(intervals, 1.0));
    std::printf(
        "main thread: %.3f CPU-s per s of show, of which drawing %.3f and the rest %.3f "
        "(%.1f %% of a core)\n",
        thread / wall, drawingCpu / wall, (thread - drawingCpu) / wall,
        100.0 * (thread - drawingCpu) / wall);
    std::printf("whole process: %.3f CPU-s per s of show\n", process / wall);
    return 0;
}
