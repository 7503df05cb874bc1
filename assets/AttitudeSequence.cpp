// The attitude of the aeroplane at the tube point where scene 1 puts it on each departure frame:
// a frame whose nose is the centre line's direction and whose top leans into the turn, turned
// into the three angles the scene applies (about X, then Y, then Z). The angles are kept
// continuous from frame to frame so that nothing spins through 360 degrees.
#include "assets/AttitudeSequence.h"

#include <cmath>
#include <cstring>

#include "assets/PolylineFollower.h"
#include "assets/Staging.h"

namespace {

// Bank per unit of curvature: the tightest turn of the tube (radius about 60) gives about 30
// degrees.
const double bankGain = 36.0;

double nearest(double angle, double previous) {
    while (angle - previous > 180.0) angle -= 360.0;
    while (angle - previous < -180.0) angle += 360.0;
    return angle;
}

}  // namespace

std::vector<Attitude> makeAttitudes() {
    const staging::SceneOneRun run = staging::replaySceneOne();
    const double length = PolylineFollower(staging::tubePathPoints()).totalLength();
    std::vector<Attitude> out;
    double previousX = 0.0, previousZ = 0.0;
    for (double p : run.departure) {
        const double s = (p + show::lookAhead) / 100.0 * length;
        const staging::CentreSample c = staging::tubeCentre(s);
        const Vec3 nose = c.direction;
        const Vec3 level = (staging::worldUp - nose * staging::worldUp.dot(nose)).normalised();
        const Vec3 top =
            (level + (c.curvature - nose * c.curvature.dot(nose)) * bankGain).normalised();
        const Vec3 right = nose.cross(top);
        // Columns of the rotation are the model's x (right wing), y (nose) and z (top) axes.
        // With R = Rx(a) Ry(b) Rz(c): R02 = sin b, R12 = -sin a cos b, R22 = cos a cos b,
        // R00 = cos b cos c, R01 = -cos b sin c. The branch with cos b < 0 holds b near 180.
        const double r02 = top.x, r12 = top.y, r22 = top.z, r00 = right.x, r01 = nose.x;
        const double sb = std::max(-1.0, std::min(1.0, r02));
        const double cb = -std::sqrt(1.0 - sb * sb);
        const double b = 180.0 - std::asin(sb) / degree;
        double a = std::atan2(-r12 / cb, r22 / cb) / degree;
        double z = std::atan2(-r01 / cb, r00 / cb) / degree;
        a = nearest(a, previousX) + 0.0;
        z = nearest(z, previousZ) + 0.0;
        previousX = a;
        previousZ = z;
        out.push_back({static_cast<float>(a), static_cast<float>(b), static_cast<float>(z)});
    }
    if (out.empty()) out.push_back({0.0f, 180.0f, 0.0f});
    while (out.size() < static_cast<std::size_t>(attitudeRecordCount)) out.push_back(out.back());
    return out;
}

std::vector<std::uint8_t> encodeAttitudes(const std::vector<Attitude>& attitudes) {
    std::vector<std::uint8_t> bytes;
    for (const Attitude& a : attitudes) {
        for (float f : {a.x, a.y, a.z}) {
            std::uint32_t bits;
            std::memcpy(&bits, &f, 4);
            for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
        }
    }
    return bytes;
}
