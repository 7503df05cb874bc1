// The show clock on Win32: the performance counter, and a wait that sleeps to within a margin of
// the deadline and then watches the counter. The system's timer ticks every 15.6 ms unless asked
// for 1 ms (timeBeginPeriod), which the wait asks for while it sleeps; a sleep then wakes up to
// about a tick late, hence the 2 ms margin.
#include <windows.h>

#include <mmsystem.h>

#include "platform/Clock.h"

namespace platform {
namespace {

constexpr double wakeUpMargin = 2.0;  // milliseconds

double counterMilliseconds() {
    static const double ticksPerMillisecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMillisecond;
}

}  // namespace

double showClockMilliseconds() {
    return counterMilliseconds();
}

void waitUntil(double deadline) {
    const double sleepFor = deadline - wakeUpMargin - counterMilliseconds();
    if (sleepFor >= 1.0) {
        timeBeginPeriod(1);
        Sleep(static_cast<DWORD>(sleepFor));
        timeEndPeriod(1);
    }
    while (counterMilliseconds() < deadline) {
    }
}

}  // namespace platform
