// The show's length in frames, worked out from its numbers without drawing: every movement is a
// fixed step per frame, so the timeline follows from the steps and thresholds alone.
#pragma once

struct ShowTimeline {
    long countdown = 0, departure = 0, flyAround = 0, gaze = 0, approach = 0, finale = 0;
    long total() const { return countdown + departure + flyAround + gaze + approach + finale; }
};

// Frames presented by each scene (scene 1 in its two phases) when the show plays to its end.
ShowTimeline showTimeline();
