// Segment arithmetic for path following: points stay in single precision, everything derived from
// them is computed in double precision and only rounded when it becomes a new point.
#include "scene/Vector.h"

#include <cmath>

Vector::Vector() {}

Vector::Vector(double sx, double sy, double sz, double ex, double ey, double ez)
    : start{static_cast<float>(sx), static_cast<float>(sy), static_cast<float>(sz)},
      end{static_cast<float>(ex), static_cast<float>(ey), static_cast<float>(ez)} {
    updateDifference();
}

Vector::~Vector() {}

void Vector::updateDifference() {
    difference.x = static_cast<double>(end.x) - static_cast<double>(start.x);
    difference.y = static_cast<double>(end.y) - static_cast<double>(start.y);
    difference.z = static_cast<double>(end.z) - static_cast<double>(start.z);
}

double Vector::length() {
    updateDifference();
    return std::sqrt(difference.x * difference.x + difference.y * difference.y +
                     difference.z * difference.z);
}

Vector Vector::normalised() {
    const double l = length();
    const double ux = difference.x / l, uy = difference.y / l, uz = difference.z / l;
    return Vector(start.x, start.y, start.z, start.x + ux, start.y + uy, start.z + uz);
}

Vector Vector::scaled(double k) {
    updateDifference();
    const double dx = difference.x * k, dy = difference.y * k, dz = difference.z * k;
    return Vector(start.x, start.y, start.z, start.x + dx, start.y + dy, start.z + dz);
}
