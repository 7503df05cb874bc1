// Follows a polyline by percentage of its length, close to the demo's path arithmetic:
// single-precision vertices, double-precision lengths and milestones, the point rounded back to
// single precision. The demo also rounds each segment's unit vector to single precision, so the
// two can differ in the lowest bits. The generator uses it to place things where the scenes will
// find them.
#pragma once

#include <vector>

#include "assets/Vec3.h"

class PolylineFollower {
public:
    // The points are rounded to single precision first, as a 3DS file would hold them.
    explicit PolylineFollower(const std::vector<Vec3>& points);

    double totalLength() const { return total; }
    // The point at percent (0..100) of the length; percent is clamped into that range.
    Vec3 pointAt(double percent) const;

private:
    std::vector<Vec3> vertices;
    std::vector<double> milestones;
    double total = 0;
};
