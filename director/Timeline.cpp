// The scenes' path arithmetic replayed in the same double and float steps: a path refuses a move
// that would leave 0 to 100 percent, and the frame in which a scene finishes shows the next one.
#include "director/Timeline.h"

#include "show/ShowConstants.h"

namespace {

bool advance(double& parameter, double step) {
    const double next = parameter + step;
    if (!(next >= 0.0 && next <= 100.0)) return false;
    parameter = next;
    return true;
}

}  // namespace

ShowTimeline showTimeline() {
    using namespace show;
    ShowTimeline t;
    double tube = tubeStartPercent;
    while (advance(tube, -countdownStep)) ++t.countdown;
    for (double step = departureStartStep;; ++t.departure) {
        if (step < cruisingStep) step += departureAcceleration;
        if (!advance(tube, step) || tube > tubeEndPercent) break;
    }

    double cameraPath1 = 0.0, cameraPath2 = 0.0;
    for (; advance(cameraPath1, flyAroundStep); ++t.flyAround)
        if (cameraPath1 > gazeMovesFromPercent) advance(cameraPath2, flyAroundStep);
    for (;; ++t.gaze) {
        advance(cameraPath2, gazeStep);
        if (cameraPath2 > gazeArrivesPercent) break;
    }

    double approach = 0.0;
    for (int held = 0;; ++t.approach) {
        if (approach <= approachStopPercent)
            advance(approach, approachStep);
        else if (held < holdFrames)
            ++held;
        else
            break;
    }

    float scale = 0.0f, turn = rocketRotationZ;
    for (int counter = 0;; ++t.finale) {
        if (scale < 1.0f && counter == 0) {
            scale = static_cast<float>(scale + approachStep / 100.0);
        } else if (counter > firstTurnAfter && turn < firstTurnTo) {
            turn += 1.0f;
        } else if (counter > secondTurnAfter && turn < secondTurnTo) {
            turn += 1.0f;
        } else if (counter > shrinkAfter) {
            scale = static_cast<float>(scale - shrinkStep);
            if (scale <= 0.0f) break;
        } else {
            ++counter;
        }
    }
    return t;
}
