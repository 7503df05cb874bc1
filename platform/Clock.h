// The clock the show is paced by, and waiting for a moment on it without keeping a core busy.
// Must never be used for anything but pacing: the show itself counts in frames.
#pragma once

namespace platform {

// Milliseconds on a steady clock from an arbitrary start. It never goes back; in the browser it
// stands still while the page is hidden or a test holds a frame, as the music does then.
double showClockMilliseconds();

// Returns once the show clock reads at least `deadline` (at once when it already does), having
// given the processor away meanwhile: natively it sleeps until shortly before and watches the
// clock only for the last stretch; in the browser it hands control to the browser, which shows
// what was drawn and runs the page's events, even when the deadline has passed.
void waitUntil(double deadline);

}  // namespace platform
