// The show's timeline worked out from nothing but the percentages, steps and thresholds the scenes
// move by, in the same double arithmetic, for comparison with real runs of the director.
#pragma once

namespace derived {

// Frames shown by each scene and phase (a path refuses a move that leaves 0 to 100).
struct Timeline {
    long countdown = 0, departure = 0, flyAround = 0, gaze = 0, approach = 0, finale = 0;
};

inline bool move(double& parameter, double step) {
    double next = parameter + step;
    if (next < 0.0 || next > 100.0) return false;
    parameter = next;
    return true;
}

inline Timeline deriveTimeline() {
    Timeline t;
    double tube = 12.0;
    while (move(tube, -0.05)) ++t.countdown;
    for (double step = 0.0001;; ++t.departure) {
        if (step < 0.1) step += 0.0005;
        if (!move(tube, step) || tube > 99.0) break;
    }
    double camera1 = 0.0, camera2 = 0.0;
    for (; move(camera1, 0.08); ++t.flyAround)
        if (camera1 > 90.0) move(camera2, 0.08);
    for (;; ++t.gaze) {
        move(camera2, 0.5);
        if (camera2 > 99.5) break;
    }
    double approach = 0.0;
    for (int hold = 0;; ++t.approach) {
        if (approach <= 70.0)
            move(approach, 0.2);
        else if (hold < 250)
            ++hold;
        else
            break;
    }
    float scale = 0.0f, turn = -10.0f;
    for (int counter = 0;; ++t.finale) {
        if (scale < 1.0f && counter == 0)
            scale = static_cast<float>(scale + 0.2 / 100.0);
        else if (counter > 25 && turn < 90.0f)
            turn += 1.0f;
        else if (counter > 75 && turn < 210.0f)
            turn += 1.0f;
        else if (counter > 130) {
            scale = static_cast<float>(scale - 0.01);
            if (scale <= 0.0f) break;
        } else
            ++counter;
    }
    return t;
}

}  // namespace derived
