// The clock the show is paced by, and waiting for a moment on it without keeping a core busy.
// Must never be used for anything but pacing: the show itself counts in frames.
#pragma once

namespace platform {

// Milliseconds on a steady clock from an arbitrary start. Natively it never goes back. In the
// browser it keeps to the page's sound: it stands still while the page is hidden, a test holds a
// frame or the sound waits for its output, and may step a few milliseconds either way to stay with
// the sound.
double showClockMilliseconds();

// Gives the processor away until the show clock reads `deadline`, returning at once when it
// already does. Natively it sleeps until shortly before and watches the clock only for the last
// stretch, and returns at the deadline. In the browser it hands control to the browser for as long
// as was left, which shows what was drawn and runs the page's events even when the deadline has
// passed; the clock may have stood still meanwhile, so the caller looks at it again.
void waitUntil(double deadline);

}  // namespace platform
