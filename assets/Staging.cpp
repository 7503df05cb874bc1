// The staging arithmetic. The tube's centre line is integrated from a heading and a pitch made of
// smooth bumps: straight along +Y through the countdown, a few gentle S-turns, straight again for
// the last stretch so that the aeroplane leaves the tube level, nose along +Y.
#include "assets/Staging.h"

#include <cmath>

#include "assets/PolylineFollower.h"

namespace staging {

namespace {

// The centre line is integrated in steps of this length.
const double integrationStep = 0.05;

struct Bump {
    double centre, width, amplitudeDegrees;
};

// Turns to the right (+) and left (-): the heading swings out and back, so every bump is an S.
const Bump headingBumps[] = {
    {180.0, 140.0, 30.0}, {310.0, 150.0, -40.0}, {440.0, 130.0, 35.0}, {555.0, 110.0, -22.0}};
// Climbs (+) and dives (-), gentle, so that the path never runs near the up axis.
const Bump pitchBumps[] = {{240.0, 160.0, 8.0}, {400.0, 180.0, -10.0}, {535.0, 120.0, 6.0}};

double bumps(const Bump* list, std::size_t count, double s) {
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double x = (s - list[i].centre) / list[i].width + 0.5;
        if (x > 0.0 && x < 1.0) {
            const double w = std::sin(pi * x);
            sum += list[i].amplitudeDegrees * degree * w * w;
        }
    }
    return sum;
}

Vec3 directionAt(double s) {
    const double heading = bumps(headingBumps, std::size(headingBumps), s);
    const double pitch = bumps(pitchBumps, std::size(pitchBumps), s);
    // Heading 0 is +Y, positive towards +X; pitch positive climbs, towards -Z (world up).
    return {std::sin(heading) * std::cos(pitch), std::cos(heading) * std::cos(pitch),
            -std::sin(pitch)};
}

// Positions every integrationStep units from 0 to tubeLength, by the midpoint rule.
const std::vector<Vec3>& integratedCentreLine() {
    static const std::vector<Vec3> line = [] {
        const int steps = static_cast<int>(std::lround(tubeLength / integrationStep));
        std::vector<Vec3> out;
        out.reserve(static_cast<std::size_t>(steps) + 1);
        Vec3 p{};
        out.push_back(p);
        for (int i = 0; i < steps; ++i) {
            p = p + directionAt((i + 0.5) * integrationStep) * integrationStep;
            out.push_back(p);
        }
        return out;
    }();
    return line;
}

// A Catmull-Rom spline through keyframes of (radius, azimuth, elevation) round the origin.
struct Orbit {
    double radius, azimuthDegrees, elevationDegrees;
};

Vec3 fromOrbit(const Orbit& o) {
    const double a = o.azimuthDegrees * degree, e = o.elevationDegrees * degree;
    return {o.radius * std::cos(e) * std::cos(a), o.radius * std::cos(e) * std::sin(a),
            -o.radius * std::sin(e)};
}

Orbit toOrbit(const Vec3& p) {
    const double r = p.length();
    return {r, std::atan2(p.y, p.x) / degree, std::asin(-p.z / r) / degree};
}

double catmullRom(double p0, double p1, double p2, double p3, double t) {
    const double t2 = t * t, t3 = t2 * t;
    return 0.5 * (2.0 * p1 + (-p0 + p2) * t + (2.0 * p0 - 5.0 * p1 + 4.0 * p2 - p3) * t2 +
                  (-p0 + 3.0 * p1 - 3.0 * p2 + p3) * t3);
}

}  // namespace

CentreSample tubeCentre(double s) {
    CentreSample out;
    if (s <= 0.0) {
        out.direction = directionAt(0.0);
        out.position = out.direction * s;
        return out;
    }
    const std::vector<Vec3>& line = integratedCentreLine();
    const double at = std::min(s, tubeLength) / integrationStep;
    const std::size_t i = std::min(static_cast<std::size_t>(at), line.size() - 2);
    const double f = at - static_cast<double>(i);
    out.position = line[i] + (line[i + 1] - line[i]) * f;
    if (s > tubeLength) out.position = out.position + directionAt(tubeLength) * (s - tubeLength);
    out.direction = directionAt(s);
    const double h = 0.5;
    out.curvature = (directionAt(s + h) - directionAt(s - h)) * (1.0 / (2.0 * h));
    return out;
}

std::vector<Vec3> tubePathPoints() {
    std::vector<Vec3> points;
    const int count = static_cast<int>(std::lround(tubeLength / tubeSampleStep));
    for (int i = 0; i <= count; ++i) points.push_back(tubeCentre(i * tubeSampleStep).position);
    return points;
}

SceneOneRun replaySceneOne() {
    SceneOneRun run;
    double p = show::tubeStartPercent;
    while (p - show::countdownStep >= 0.0) p -= show::countdownStep;
    double lastDrawn = p;
    double step = show::departureStartStep;
    for (;;) {
        if (step < show::cruisingStep) step += show::departureAcceleration;
        const bool ok = p + step <= 100.0;
        if (ok) p += step;
        if (!ok || p > show::tubeEndPercent) break;
        run.departure.push_back(p);
        lastDrawn = p;
    }
    // Only the last frame's camera matters: scene 2 starts from it.
    const PolylineFollower path(tubePathPoints());
    run.handOverEye = toFloat(path.pointAt(lastDrawn) - path.pointAt(lastDrawn + show::lookAhead));
    return run;
}

Mat3 earthRotation() {
    return objectRotation(0.0, show::earthRotationY, show::earthRotationZ);
}

Vec3 earthPosition() {
    const Mat3 m = earthRotation();
    Mat3 a = m;
    for (int i = 0; i < 3; ++i) a.m[i][i] += 1.0;
    Vec3 e;
    solve3(a, finalLookTarget - m * launchOffset, &e);
    return e;
}

Vec3 cameraPath1End() {
    // On the perpendicular bisector of aeroplane and earth, 35 degrees above their line, on the
    // side from which the flag (pointing +X and up) is seen broadside on.
    const Vec3 e = earthPosition();
    const Vec3 along = e.normalised();
    const Vec3 across = Vec3{-e.y, e.x, 0.0}.normalised();
    const Vec3 up = (worldUp - along * worldUp.dot(along)).normalised();
    const double half = e.length() / 2.0;
    const double reach = std::sqrt(cameraToEarthAtPath1End * cameraToEarthAtPath1End - half * half);
    const Vec3 direction = across * std::cos(35.0 * degree) + up * std::sin(35.0 * degree);
    return e * 0.5 + direction * reach;
}

std::vector<Vec3> cameraPath1Points() {
    const Vec3 handOverEye = replaySceneOne().handOverEye;
    const Vec3 endPoint = cameraPath1End();
    const Orbit start = toOrbit(handOverEye);
    Orbit end = toOrbit(endPoint);
    // Behind the aeroplane while the first rocket leaves, then about one and a quarter turns
    // clockwise seen from above, ending at the path's end.
    while (end.azimuthDegrees > start.azimuthDegrees - 400.0) end.azimuthDegrees -= 360.0;
    const Orbit keys[] = {start,
                          {5.0, start.azimuthDegrees - 10.0, 10.0},
                          {6.5, start.azimuthDegrees - 20.0, 16.0},
                          {7.0, start.azimuthDegrees - 30.0, 18.0},
                          {6.5, start.azimuthDegrees - 60.0, 22.0},
                          {6.0, start.azimuthDegrees - 150.0, 25.0},
                          {7.0, start.azimuthDegrees - 230.0, 12.0},
                          {6.5, start.azimuthDegrees - 310.0, 22.0},
                          {9.0, end.azimuthDegrees + 60.0, 28.0},
                          {14.0, end.azimuthDegrees + 25.0, 30.0},
                          end};
    const int keyCount = static_cast<int>(std::size(keys));
    const int samplesPerSpan = 60;
    std::vector<Vec3> points;
    points.push_back(handOverEye);
    for (int k = 0; k + 1 < keyCount; ++k) {
        const Orbit& k0 = keys[k > 0 ? k - 1 : 0];
        const Orbit& k1 = keys[k];
        const Orbit& k2 = keys[k + 1];
        const Orbit& k3 = keys[k + 2 < keyCount ? k + 2 : keyCount - 1];
        for (int i = 1; i <= samplesPerSpan; ++i) {
            const double t = static_cast<double>(i) / samplesPerSpan;
            const Orbit o{catmullRom(k0.radius, k1.radius, k2.radius, k3.radius, t),
                          catmullRom(k0.azimuthDegrees, k1.azimuthDegrees, k2.azimuthDegrees,
                                     k3.azimuthDegrees, t),
                          catmullRom(k0.elevationDegrees, k1.elevationDegrees, k2.elevationDegrees,
                                     k3.elevationDegrees, t)};
            points.push_back(k + 1 == keyCount - 1 && i == samplesPerSpan ? endPoint
                                                                          : fromOrbit(o));
        }
    }
    return points;
}

std::vector<Vec3> cameraPath2Points() {
    // A cubic arc from the aeroplane up and over to the earth, so that the gaze swings rather
    // than slides.
    const Vec3 e = earthPosition();
    const Vec3 c1 = e * 0.3 + worldUp * 4.0, c2 = e * 0.75 + worldUp * 3.0;
    std::vector<Vec3> points;
    const int count = 100;
    for (int i = 0; i <= count; ++i) {
        const double t = static_cast<double>(i) / count;
        const double a = 1.0 - t;
        points.push_back(c1 * (3.0 * a * a * t) + c2 * (3.0 * a * t * t) + e * (t * t * t));
    }
    // One more vertex past the earth, placed so that the earth falls on the 99.9 % point:
    // with L the length up to the earth, the extra segment is 0.001 L / 0.999.
    const double length = PolylineFollower(points).totalLength();
    const Vec3 tangent = (toFloat(points.back()) - toFloat(points[points.size() - 2])).normalised();
    points.push_back(e + tangent * (length * 0.001 / 0.999));
    return points;
}

}  // namespace staging
