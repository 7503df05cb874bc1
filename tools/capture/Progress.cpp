// The bar shows the frame reached of those to play, the captured ones of their total, the capture
// rate and the time left from the rates measured so far.
#include "tools/capture/Progress.h"

#include <cstdio>

#include "platform/Process.h"

Progress::Progress(long framesToPlay, long framesToCapture)
    : framesToPlay(framesToPlay),
      framesToCapture(framesToCapture),
      terminal(platform::stderrIsTerminal()),
      started(std::chrono::steady_clock::now()),
      lastFrame(started),
      lastReport(started) {}

void Progress::frameDone(long frame, bool captured) {
    auto now = std::chrono::steady_clock::now();
    Kind& kind = captured ? capturedFrames : playedFrames;
    ++kind.done;
    kind.seconds += std::chrono::duration<double>(now - lastFrame).count();
    lastFrame = now;
    auto sinceReport = std::chrono::duration<double>(now - lastReport).count();
    if (sinceReport < (terminal ? 0.25 : 5.0)) return;
    lastReport = now;

    const long toPlay = framesToPlay > frame ? framesToPlay : frame + 1;
    const long capturedLeft =
        framesToCapture > capturedFrames.done ? framesToCapture - capturedFrames.done : 0;
    const long playedLeft = toPlay - frame - 1 - capturedLeft;
    char left[48] = "measuring the time left";
    bool known = (capturedLeft == 0 || capturedFrames.done > 0) &&
                 (playedLeft <= 0 || playedFrames.done > 0);
    if (known) {
        double seconds = 0;
        if (capturedLeft > 0)
            seconds += capturedLeft * capturedFrames.seconds / capturedFrames.done;
        if (playedLeft > 0) seconds += playedLeft * playedFrames.seconds / playedFrames.done;
        std::snprintf(left, sizeof left, "%.0f s left", seconds);
    }
    const double rate =
        capturedFrames.seconds > 0 ? capturedFrames.done / capturedFrames.seconds : 0;
    if (terminal) {
        const int width = 30;
        const long total = framesToCapture > 0 ? framesToCapture : toPlay;
        const long done = framesToCapture > 0 ? capturedFrames.done : frame + 1;
        int filled = static_cast<int>(width * (done < total ? done : total) / total);
        char bar[width + 1];
        for (int i = 0; i < width; ++i) bar[i] = i < filled ? '#' : '.';
        bar[width] = '\0';
        std::fprintf(stderr, "\r[%s] frame %ld of %ld, captured %ld of %ld, %.1f fps, %s  ", bar,
                     frame + 1, toPlay, capturedFrames.done, framesToCapture, rate, left);
    } else {
        std::fprintf(stderr, "frame %ld of %ld, captured %ld of %ld, %.1f fps, %s\n", frame + 1,
                     toPlay, capturedFrames.done, framesToCapture, rate, left);
    }
    std::fflush(stderr);
}

void Progress::finish(long frames) {
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::fprintf(stderr, "%s%ld frames in %.1f s (%.1f fps), %ld captured\n", terminal ? "\n" : "",
                 frames, seconds, seconds > 0 ? frames / seconds : 0.0, capturedFrames.done);
}
