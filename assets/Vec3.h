// Double-precision points, directions and rotation matrices for building the assets and for
// checking where they land in the scenes. Angles are degrees, as the scenes give them to GL.
#pragma once

#include <cmath>

constexpr double pi = 3.14159265358979323846;
constexpr double degree = pi / 180.0;  // one degree in radians

struct Vec3 {
    double x = 0, y = 0, z = 0;

    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator*(double k) const { return {x * k, y * k, z * k}; }
    double dot(const Vec3& o) const { return x * o.x + y * o.y + z * o.z; }
    Vec3 cross(const Vec3& o) const {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    double length() const { return std::sqrt(dot(*this)); }
    Vec3 normalised() const {
        const double l = length();
        return l > 0 ? *this * (1.0 / l) : *this;
    }
};

// Row-major 3x3 matrix acting on column vectors.
struct Mat3 {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

    Vec3 operator*(const Vec3& v) const {
        return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
                m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
                m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
    }
    Mat3 operator*(const Mat3& o) const {
        Mat3 r;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                r.m[i][j] = m[i][0] * o.m[0][j] + m[i][1] * o.m[1][j] + m[i][2] * o.m[2][j];
        return r;
    }
};

// The matrices glRotatef builds for a rotation about one axis.
Mat3 rotationX(double degrees);
Mat3 rotationY(double degrees);
Mat3 rotationZ(double degrees);
// What an object's rotation (about X, then Y, then Z, as drawn) does to its model's vectors.
Mat3 objectRotation(double xDegrees, double yDegrees, double zDegrees);
// Solves a x = b; false when a is singular.
bool solve3(const Mat3& a, const Vec3& b, Vec3* x);
// Rounds each component to single precision, as the demo stores points.
Vec3 toFloat(const Vec3& v);
