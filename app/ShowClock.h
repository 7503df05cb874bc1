// When each frame of the show is due: frame n at t0 + n periods, t0 being the moment the first
// frame is due. A frame drawn late does not move the ones after it, so the show keeps time with its
// music rather than with the frames the machine managed to draw.
#pragma once

class ShowClock {
public:
    explicit ShowClock(double periodMilliseconds) : period(periodMilliseconds) {}

    // Frame 0 is due at `now`.
    void start(double now) {
        startedAt = now;
        started = true;
    }
    bool isStarted() const { return started; }

    // The frame to step next, counted from 0: how many have been stepped.
    long nextFrame() const { return stepped; }
    double dueTime(long frame) const { return startedAt + period * static_cast<double>(frame); }
    // True when, at `now`, the frame after the next one is due as well: the next frame is more
    // than one frame late, and is best stepped without being shown.
    bool behind(double now) const { return started && now >= dueTime(stepped + 1); }
    void frameStepped() { ++stepped; }

private:
    double period;
    double startedAt = 0.0;
    bool started = false;
    long stepped = 0;
};
