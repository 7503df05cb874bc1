// Matrix arithmetic in single precision, in the order GL's own implementations use, so that
// transforms land on the same pixels as the desktop's.
#include "Matrix.h"

#include <cmath>

namespace ffgl {

namespace {

constexpr double pi = 3.14159265358979323846;

float& at(Matrix& matrix, int row, int column) {
    return matrix.m[column * 4 + row];
}

}  // namespace

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix product;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[k * 4 + row] * b.m[column * 4 + k];
            product.m[column * 4 + row] = sum;
        }
    return product;
}

Matrix translation(float x, float y, float z) {
    Matrix t;
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    return t;
}

Matrix scaling(float x, float y, float z) {
    Matrix s;
    s.m[0] = x;
    s.m[5] = y;
    s.m[10] = z;
    return s;
}

Matrix rotation(float angle, float x, float y, float z) {
    Matrix r;
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length == 0.0f) return r;
    x /= length;
    y /= length;
    z /= length;
    const float radians = static_cast<float>(angle * pi / 180.0);
    const float s = std::sin(radians);
    const float c = std::cos(radians);
    const float one = 1.0f - c;
    at(r, 0, 0) = x * x * one + c;
    at(r, 0, 1) = x * y * one - z * s;
    at(r, 0, 2) = x * z * one + y * s;
    at(r, 1, 0) = y * x * one + z * s;
    at(r, 1, 1) = y * y * one + c;
    at(r, 1, 2) = y * z * one - x * s;
    at(r, 2, 0) = x * z * one - y * s;
    at(r, 2, 1) = y * z * one + x * s;
    at(r, 2, 2) = z * z * one + c;
    return r;
}

Matrix orthographic(double left, double right, double bottom, double top, double zNear,
                    double zFar) {
    Matrix o;
    at(o, 0, 0) = static_cast<float>(2.0 / (right - left));
    at(o, 1, 1) = static_cast<float>(2.0 / (top - bottom));
    at(o, 2, 2) = static_cast<float>(-2.0 / (zFar - zNear));
    at(o, 0, 3) = static_cast<float>(-(right + left) / (right - left));
    at(o, 1, 3) = static_cast<float>(-(top + bottom) / (top - bottom));
    at(o, 2, 3) = static_cast<float>(-(zFar + zNear) / (zFar - zNear));
    return o;
}

void normalMatrix(const Matrix& modelview, float out[9]) {
    const float* m = modelview.m;
    // Cofactors of the upper 3 x 3 (column-major a(r,c) = m[c*4+r]); the inverse transpose is
    // the cofactor matrix over the determinant.
    const float a = m[0], b = m[4], c = m[8];
    const float d = m[1], e = m[5], f = m[9];
    const float g = m[2], h = m[6], i = m[10];
    const float cofactor[9] = {e * i - f * h,    -(d * i - f * g), d * h - e * g,
                               -(b * i - c * h), a * i - c * g,    -(a * h - b * g),
                               b * f - c * e,    -(a * f - c * d), a * e - b * d};
    const float determinant = a * cofactor[0] + b * cofactor[1] + c * cofactor[2];
    for (int k = 0; k < 9; ++k) out[k] = 0.0f;
    if (determinant == 0.0f) return;
    // cofactor[row * 3 + column] is C(row, column); the result's (row, column) is C(row, column)
    // over the determinant, stored column-major.
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            out[column * 3 + row] = cofactor[row * 3 + column] / determinant;
}

void transform(const Matrix& matrix, const float in[4], float out[4]) {
    const float* m = matrix.m;
    for (int row = 0; row < 4; ++row)
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
}

}  // namespace ffgl
