// The main loop: every queued message drained before a frame, frames drawn only while the window
// is active, paced to 25 per second; it ends on a quit message, on Escape or at the show's end.
#pragma once

#include <cstdint>

#include "app/DemoEntryPoints.h"

// Runs the loop, drawing through demo.drawFrame; returns the quit message's exit code, 0 otherwise.
// holdFrame (counted from 0; -1 for none) is the last frame drawn and presented: the loop then
// only waits for a way out, the frame left on the screen.
std::uintptr_t runMainLoop(const DemoEntryPoints& demo, long holdFrame = -1);
