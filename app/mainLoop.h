// The main loop: every queued message drained before a frame, frames drawn only while the window
// is active, each presented at its due time on the show clock, late ones stepped without being
// shown; it ends on a quit message, on Escape or at the show's end.
#pragma once

#include <cstdint>

#include "app/DemoEntryPoints.h"

// What the loop takes from the system to keep time, to show frames and to step them unseen; tests
// put scripted ones here.
struct LoopServices {
    double (*now)();                                // the show clock, in milliseconds
    void (*waitUntil)(double deadline);             // gives the processor away until then
    void (*present)();                              // swaps the frame drawn onto the screen
    bool (*drawingShownBeforeSwap)();               // then the wait comes before the drawing
    void (*drawUnseen)(bool unseen);                // from now on, draw nothing (or again)
    long (*frameToHold)();                          // a frame never to step unseen, or -1
    void (*showFrameDone)(long frame, bool shown);  // the show has reached `frame`
};
extern LoopServices loopServices;

// Runs the loop, drawing through demo.drawFrame; returns the quit message's exit code, 0 otherwise.
// holdFrame (counted from 0; -1 for none) is the last frame drawn and presented: the loop then
// only waits for a way out, the frame left on the screen.
std::uintptr_t runMainLoop(const DemoEntryPoints& demo, long holdFrame = -1);
