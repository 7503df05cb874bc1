// gluLookAt and gluPerspective multiplying the current matrix, as GLU does (the emulation's own
// replace it, and its look-at passes its arguments in the wrong order: the frame comes out blank).
// Same arithmetic and precision as the desktop GLU, so the web frames line up with the native ones.
#define ORBEK_WEBGL_NO_RENAME
#include "platform/web/gl/ShimGL.h"

#include <cmath>

namespace {

void normalise(float v[3]) {
    float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0.0f) return;
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
}

void cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

void orbekgluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
                    GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
    float forward[3] = {static_cast<float>(centerX - eyeX), static_cast<float>(centerY - eyeY),
                        static_cast<float>(centerZ - eyeZ)};
    float up[3] = {static_cast<float>(upX), static_cast<float>(upY), static_cast<float>(upZ)};
    normalise(forward);
    float side[3];
    cross(forward, up, side);
    normalise(side);
    cross(side, forward, up);

    // Column-major: the rows of the rotation are side, up and -forward.
    GLfloat m[16] = {side[0], up[0], -forward[0], 0.0f, side[1], up[1], -forward[1], 0.0f,
                     side[2], up[2], -forward[2], 0.0f, 0.0f,    0.0f,  0.0f,        1.0f};
    orbekglMultMatrixf(m);
    orbekglTranslated(-eyeX, -eyeY, -eyeZ);
}

void orbekgluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    const double radians = fovy / 2.0 * M_PI / 180.0;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    if (deltaZ == 0.0 || sine == 0.0 || aspect == 0.0) return;
    const double cotangent = std::cos(radians) / sine;
    GLdouble m[16] = {cotangent / aspect,
                      0.0,
                      0.0,
                      0.0,
                      0.0,
                      cotangent,
                      0.0,
                      0.0,
                      0.0,
                      0.0,
                      -(zFar + zNear) / deltaZ,
                      -1.0,
                      0.0,
                      0.0,
                      -2.0 * zNear * zFar / deltaZ,
                      0.0};
    orbekglMultMatrixd(m);
}
