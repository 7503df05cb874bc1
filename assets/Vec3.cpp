// Rotation matrices and a 3x3 solve for the staging arithmetic.
#include "assets/Vec3.h"

namespace {

// The rotation about axis (0 x, 1 y, 2 z) in the plane of the two axes that follow it.
Mat3 rotationAbout(int axis, double degrees) {
    const double c = std::cos(degrees * degree), s = std::sin(degrees * degree);
    const int i = (axis + 1) % 3, j = (axis + 2) % 3;
    Mat3 r;
    r.m[i][i] = c;
    r.m[i][j] = -s;
    r.m[j][i] = s;
    r.m[j][j] = c;
    return r;
}

}  // namespace

Mat3 rotationX(double degrees) {
    return rotationAbout(0, degrees);
}

Mat3 rotationY(double degrees) {
    return rotationAbout(1, degrees);
}

Mat3 rotationZ(double degrees) {
    return rotationAbout(2, degrees);
}

Mat3 objectRotation(double xDegrees, double yDegrees, double zDegrees) {
    return rotationX(xDegrees) * rotationY(yDegrees) * rotationZ(zDegrees);
}

bool solve3(const Mat3& a, const Vec3& b, Vec3* x) {
    const auto det = [](const double m[3][3]) {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
               m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    const double d = det(a.m);
    if (std::abs(d) < 1e-12) return false;
    const double rhs[3] = {b.x, b.y, b.z};
    double out[3];
    for (int col = 0; col < 3; ++col) {
        double m[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) m[i][j] = j == col ? rhs[i] : a.m[i][j];
        out[col] = det(m) / d;
    }
    *x = {out[0], out[1], out[2]};
    return true;
}

Vec3 toFloat(const Vec3& v) {
    return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}
