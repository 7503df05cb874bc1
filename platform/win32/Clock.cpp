// Wall clock on Win32: the runtime library's time with milliseconds (_ftime), as the frame
// limiter reads it.
#include <sys/timeb.h>

#include "platform/Clock.h"

namespace platform {

WallClock readWallClock() {
    __timeb64 now{};
    _ftime64(&now);
    return WallClock{static_cast<long long>(now.time), static_cast<int>(now.millitm)};
}

}  // namespace platform
