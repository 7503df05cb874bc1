// The matrix stacks and the calls that change them, with GLU's look-at and perspective built as
// GLU builds them (look-at in single precision, perspective in double), so the web frames line
// up with the desktop's.
#include <cmath>

#include "Errors.h"
#include "Lists.h"
#include "State.h"

using namespace ffgl;

namespace {

constexpr double pi = 3.14159265358979323846;

// Matrices are not counted as changes (State::version): a draw compares its matrices with
// those of the draw before, as a camera set again to where it was changes nothing.
void multiplyCurrent(const Matrix& m) {
    Matrix& current = currentMatrix();
    current = multiply(current, m);
}

void normalise(float v[3]) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
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

void ffglMatrixMode(GLenum mode) {
    if (!outsideBeginEnd("glMatrixMode") || recorded(Op::matrixMode, mode)) return;
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION)
        return refuse("glMatrixMode", GL_INVALID_ENUM, "only the modelview and projection stacks");
    state().matrixMode = mode;
}

void ffglLoadIdentity() {
    if (!outsideBeginEnd("glLoadIdentity") || recorded(Op::loadIdentity)) return;
    currentMatrix() = Matrix{};
}

void ffglPushMatrix() {
    if (!outsideBeginEnd("glPushMatrix") || recorded(Op::pushMatrix)) return;
    std::vector<Matrix>& stack = currentStack();
    if (stack.size() >= maxMatrixDepth)
        return refuse("glPushMatrix", GL_STACK_OVERFLOW, "the stack is full");
    stack.push_back(stack.back());
}

void ffglPopMatrix() {
    if (!outsideBeginEnd("glPopMatrix") || recorded(Op::popMatrix)) return;
    std::vector<Matrix>& stack = currentStack();
    if (stack.size() <= 1) return refuse("glPopMatrix", GL_STACK_UNDERFLOW, "nothing pushed");
    stack.pop_back();
}

void ffglLoadMatrixf(const GLfloat* values) {
    if (!outsideBeginEnd("glLoadMatrixf") || recordedMatrix(Op::loadMatrix, values)) return;
    Matrix& current = currentMatrix();
    for (int i = 0; i < 16; ++i) current.m[i] = values[i];
}

void ffglMultMatrixf(const GLfloat* values) {
    if (!outsideBeginEnd("glMultMatrixf") || recordedMatrix(Op::multMatrix, values)) return;
    Matrix m;
    for (int i = 0; i < 16; ++i) m.m[i] = values[i];
    multiplyCurrent(m);
}

void ffglTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    if (!outsideBeginEnd("glTranslatef") || recorded(Op::translate, x, y, z)) return;
    multiplyCurrent(translation(x, y, z));
}

void ffglRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    if (!outsideBeginEnd("glRotatef") || recorded(Op::rotate, angle, x, y, z)) return;
    multiplyCurrent(rotation(angle, x, y, z));
}

void ffglScalef(GLfloat x, GLfloat y, GLfloat z) {
    if (!outsideBeginEnd("glScalef") || recorded(Op::scale, x, y, z)) return;
    multiplyCurrent(scaling(x, y, z));
}

void ffglOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
               GLdouble zFar) {
    if (!outsideBeginEnd("glOrtho") || recorded(Op::ortho, left, right, bottom, top, zNear, zFar))
        return;
    if (left == right || bottom == top || zNear == zFar)
        return refuse("glOrtho", GL_INVALID_VALUE, "an empty volume");
    multiplyCurrent(orthographic(left, right, bottom, top, zNear, zFar));
}

void ffgluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
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
    const GLfloat m[16] = {side[0], up[0], -forward[0], 0.0f, side[1], up[1], -forward[1], 0.0f,
                           side[2], up[2], -forward[2], 0.0f, 0.0f,    0.0f,  0.0f,        1.0f};
    ffglMultMatrixf(m);
    ffglTranslatef(static_cast<float>(-eyeX), static_cast<float>(-eyeY), static_cast<float>(-eyeZ));
}

void ffgluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    const double radians = fovy / 2.0 * pi / 180.0;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    if (deltaZ == 0.0 || sine == 0.0 || aspect == 0.0) return;
    const double cotangent = std::cos(radians) / sine;
    const double m[16] = {cotangent / aspect,
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
    GLfloat single[16];
    for (int i = 0; i < 16; ++i) single[i] = static_cast<float>(m[i]);
    ffglMultMatrixf(single);
}
