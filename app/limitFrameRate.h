// Frame pacing: a busy wait to the next frame period, counted modulo one second.
#pragma once

#include "platform/Clock.h"

extern int lastMillis;  // millisecond field of the reading taken when the last wait ended

// The clock the limiter reads; tests put a scripted one here.
extern platform::WallClock (*frameClock)();

// Waits until 1000 / framesPerSecond milliseconds have passed since the last wait ended.
void limitFrameRate(int framesPerSecond);
