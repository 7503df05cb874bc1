// The bar shows frame n of the expected total, frames per second and the time left.
#include "tools/capture/Progress.h"

#include <cstdio>

#include "platform/Process.h"

Progress::Progress(long expectedFrames)
    : expected_(expectedFrames),
      terminal_(platform::stderrIsTerminal()),
      started_(std::chrono::steady_clock::now()),
      lastReport_(started_) {}

void Progress::frameDone(long frame) {
    auto now = std::chrono::steady_clock::now();
    auto sinceReport = std::chrono::duration<double>(now - lastReport_).count();
    if (sinceReport < (terminal_ ? 0.25 : 5.0)) return;
    lastReport_ = now;
    double seconds = std::chrono::duration<double>(now - started_).count();
    double perSecond = seconds > 0 ? (frame + 1) / seconds : 0;
    long total = expected_ > frame ? expected_ : frame + 1;
    double left = perSecond > 0 ? (total - frame - 1) / perSecond : 0;
    if (terminal_) {
        const int width = 30;
        int filled = static_cast<int>(width * (frame + 1) / total);
        char bar[width + 1];
        for (int i = 0; i < width; ++i) bar[i] = i < filled ? '#' : '.';
        bar[width] = '\0';
        std::fprintf(stderr, "\r[%s] frame %ld of %ld, %.1f fps, %.0f s left ", bar, frame + 1,
                     total, perSecond, left);
    } else {
        std::fprintf(stderr, "frame %ld of %ld, %.1f fps, %.0f s left\n", frame + 1, total,
                     perSecond, left);
    }
    std::fflush(stderr);
}

void Progress::finish(long frames) {
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    std::fprintf(stderr, "%s%ld frames in %.1f s (%.1f fps)\n", terminal_ ? "\n" : "", frames,
                 seconds, seconds > 0 ? frames / seconds : 0.0);
}
