// Wall clock on POSIX: the realtime clock split into seconds and milliseconds.
#include <ctime>

#include "platform/Clock.h"

namespace platform {

WallClock readWallClock() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return WallClock{static_cast<long long>(now.tv_sec), static_cast<int>(now.tv_nsec / 1000000)};
}

}  // namespace platform
