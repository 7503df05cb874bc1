// Wall clock read as whole seconds plus a millisecond field, the way the frame limiter counts.
// Must never be used for anything but pacing: the show itself is timed in frames.
#pragma once

namespace platform {

struct WallClock {
    long long seconds;  // whole seconds since the epoch
    int millis;         // 0 to 999
};

WallClock readWallClock();

}  // namespace platform
