// The frame limiter. It busy-waits on purpose: a sleep would overshoot the 40 ms period by the
// scheduler's granularity, and the frame timing of the show is built on the period. Only the
// millisecond field is compared, so elapsed time is counted modulo one second.
#include "app/limitFrameRate.h"

int lastMillis = 0;
platform::WallClock (*frameClock)() = platform::readWallClock;

void limitFrameRate(int framesPerSecond) {
    const int period = framesPerSecond > 0 ? 1000 / framesPerSecond : 0;
    platform::WallClock reading;
    int now;
    do {
        reading = frameClock();
        now = reading.millis;
        if (now < lastMillis) now += 1000;
    } while (now - lastMillis < period);
    lastMillis = reading.millis;
}
