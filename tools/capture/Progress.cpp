// The bar shows the frame reached of those to play, the captured ones of their total, the capture
// rate and the time left from the rates measured so far.
#include "tools/capture/Progress.h"

#include <cstdio>

#include "platform/Process.h"

Progress::Progress(long framesToPlay, long framesToCapture)
    : toPlay_(framesToPlay),
      toCapture_(framesToCapture),
      terminal_(platform::stderrIsTerminal()),
      started_(std::chrono::steady_clock::now()),
      lastFrame_(started_),
      lastReport_(started_) {}

void Progress::frameDone(long frame, bool captured) {
    auto now = std::chrono::steady_clock::now();
    Kind& kind = captured ? captured_ : played_;
    ++kind.done;
    kind.seconds += std::chrono::duration<double>(now - lastFrame_).count();
    lastFrame_ = now;
    auto sinceReport = std::chrono::duration<double>(now - lastReport_).count();
    if (sinceReport < (terminal_ ? 0.25 : 5.0)) return;
    lastReport_ = now;

    const long toPlay = toPlay_ > frame ? toPlay_ : frame + 1;
    const long capturedLeft = toCapture_ > captured_.done ? toCapture_ - captured_.done : 0;
    const long playedLeft = toPlay - frame - 1 - capturedLeft;
    char left[48] = "measuring the time left";
    bool known = (capturedLeft == 0 || captured_.done > 0) && (playedLeft <= 0 || played_.done > 0);
    if (known) {
        double seconds = 0;
        if (capturedLeft > 0) seconds += capturedLeft * captured_.seconds / captured_.done;
        if (playedLeft > 0) seconds += playedLeft * played_.seconds / played_.done;
        std::snprintf(left, sizeof left, "%.0f s left", seconds);
    }
    const double rate = captured_.seconds > 0 ? captured_.done / captured_.seconds : 0;
    if (terminal_) {
        const int width = 30;
        const long total = toCapture_ > 0 ? toCapture_ : toPlay;
        const long done = toCapture_ > 0 ? captured_.done : frame + 1;
        int filled = static_cast<int>(width * (done < total ? done : total) / total);
        char bar[width + 1];
        for (int i = 0; i < width; ++i) bar[i] = i < filled ? '#' : '.';
        bar[width] = '\0';
        std::fprintf(stderr, "\r[%s] frame %ld of %ld, captured %ld of %ld, %.1f fps, %s  ", bar,
                     frame + 1, toPlay, captured_.done, toCapture_, rate, left);
    } else {
        std::fprintf(stderr, "frame %ld of %ld, captured %ld of %ld, %.1f fps, %s\n", frame + 1,
                     toPlay, captured_.done, toCapture_, rate, left);
    }
    std::fflush(stderr);
}

void Progress::finish(long frames) {
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    std::fprintf(stderr, "%s%ld frames in %.1f s (%.1f fps), %ld captured\n", terminal_ ? "\n" : "",
                 frames, seconds, seconds > 0 ? frames / seconds : 0.0, captured_.done);
}
