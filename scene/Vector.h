// A directed segment between two single-precision points whose difference, length and derived
// points are worked out in double precision. Path following measures and walks polylines with it.
// It must never round anything to single precision except a new start or end point.
#pragma once

#include "scene/Point3.h"

class Vector {
public:
    struct Difference {
        double x, y, z;
    };

    Vector();  // leaves every value unset; assign before use
    Vector(double sx, double sy, double sz, double ex, double ey, double ez);
    Vector(const Vector&) = default;
    Vector& operator=(const Vector&) = default;
    virtual ~Vector();

    // Recomputes difference from the stored points and returns its Euclidean length.
    double length();
    // The unit vector from the same start, pointing the same way (not-a-number for length 0).
    Vector normalised();
    // The vector from the same start whose difference is k times this one's.
    Vector scaled(double k);

    Point3 start;
    Point3 end;
    Difference difference;

private:
    void updateDifference();
};
