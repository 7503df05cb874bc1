// 4 x 4 matrices as GL keeps them: single precision, column-major, each call multiplying the
// current matrix on the right. Pure arithmetic, no GL.
#pragma once

namespace ffgl {

struct Matrix {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

// a * b.
Matrix multiply(const Matrix& a, const Matrix& b);
Matrix translation(float x, float y, float z);
Matrix scaling(float x, float y, float z);
// angle in degrees about (x, y, z), which need not be unit length; a zero axis gives identity.
Matrix rotation(float angle, float x, float y, float z);
Matrix orthographic(double left, double right, double bottom, double top, double zNear,
                    double zFar);
// The transpose of the inverse of the upper-left 3 x 3, column-major: what normals are
// transformed by. A singular matrix gives zeros.
void normalMatrix(const Matrix& modelview, float out[9]);
// m applied to (x, y, z, w).
void transform(const Matrix& m, const float in[4], float out[4]);

}  // namespace ffgl
