// Progress on stderr: a bar redrawn in place on a terminal, plain lines every few seconds
// elsewhere. Frames played only to reach a range cost far less than frames captured, so each kind
// keeps its own measured rate and the time left adds up both.
#pragma once

#include <chrono>

class Progress {
public:
    // framesToPlay: every frame up to the last one needed; framesToCapture: those of them rendered
    // at full size and written out.
    Progress(long framesToPlay, long framesToCapture);
    void frameDone(long frame, bool captured);
    void finish(long frames);

private:
    struct Kind {
        long done = 0;
        double seconds = 0;
    };

    long framesToPlay, framesToCapture;
    bool terminal;
    Kind playedFrames, capturedFrames;
    std::chrono::steady_clock::time_point started, lastFrame, lastReport;
};
