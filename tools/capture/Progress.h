// Progress on stderr: a bar redrawn in place on a terminal, plain lines every few seconds
// elsewhere.
#pragma once

#include <chrono>

class Progress {
public:
    explicit Progress(long expectedFrames);
    void frameDone(long frame);
    void finish(long frames);

private:
    long expected_;
    bool terminal_;
    std::chrono::steady_clock::time_point started_, lastReport_;
};
