// glRasterPos and glBitmap: the raster position kept here in window coordinates, a bitmap drawn as
// one-pixel points in the raster colour over the viewport, then the position moved on. The bits
// are unpacked when the call is made, as GL does, so a list keeps its own copy.
#define ORBEK_WEBGL_NO_RENAME
#include "platform/web/gl/ShimGL.h"

#include <cmath>
#include <vector>

#include "platform/web/gl/ShimState.h"

namespace {

void transform(const GLfloat m[16], const float in[4], float out[4]) {
    for (int row = 0; row < 4; ++row)
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
}

void setRasterPosition(float x, float y, float z) {
    GLfloat modelview[16], projection[16];
    GLint viewport[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const float object[4] = {x, y, z, 1.0f};
    float eye[4], clip[4];
    transform(modelview, object, eye);
    transform(projection, eye, clip);

    webgl::RasterPosition& raster = webgl::state().raster;
    const float w = clip[3];
    raster.valid =
        w > 0.0f && std::fabs(clip[0]) <= w && std::fabs(clip[1]) <= w && std::fabs(clip[2]) <= w;
    if (!raster.valid) return;
    raster.window[0] = viewport[0] + (clip[0] / w + 1.0f) * viewport[2] / 2.0f;
    raster.window[1] = viewport[1] + (clip[1] / w + 1.0f) * viewport[3] / 2.0f;
    raster.window[2] = (clip[2] / w + 1.0f) / 2.0f;
    for (int i = 0; i < 4; ++i) raster.colour[i] = webgl::state().current.colour[i];
}

// One byte per pixel, bottom row first, from the caller's bits under the unpacking state.
std::vector<unsigned char> unpackBits(GLsizei width, GLsizei height, const GLubyte* bitmap) {
    std::vector<unsigned char> bits(static_cast<size_t>(width) * static_cast<size_t>(height));
    if (!bitmap) return bits;
    const webgl::PixelUnpacking& u = webgl::state().unpacking;
    const GLint rowPixels = u.rowLength > 0 ? u.rowLength : width;
    const GLint rowBytes = (((rowPixels + 7) / 8) + u.alignment - 1) / u.alignment * u.alignment;
    for (GLsizei j = 0; j < height; ++j) {
        const GLubyte* row = bitmap + static_cast<size_t>(u.skipRows + j) * rowBytes;
        for (GLsizei i = 0; i < width; ++i) {
            const GLint k = u.skipPixels + i;
            const int shift = u.lsbFirst ? k % 8 : 7 - k % 8;
            bits[static_cast<size_t>(j) * width + i] = (row[k / 8] >> shift) & 1u;
        }
    }
    return bits;
}

void drawBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove,
                GLfloat ymove, const std::vector<unsigned char>& bits) {
    webgl::RasterPosition& raster = webgl::state().raster;
    if (!raster.valid) return;
    webgl::flushPoints();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    // A position set on a pixel corner may come back from the matrices a hair below it.
    const float left = std::floor(raster.window[0] - xorig + 1e-3f);
    const float bottom = std::floor(raster.window[1] - yorig + 1e-3f);
    bool any = false;
    for (unsigned char bit : bits) any = any || bit;

    if (any) {
        // Straight to the emulation: these points must not wait for the next batch.
        const bool textured = webgl::isEnabled(GL_TEXTURE_2D);
        if (textured) glDisable(GL_TEXTURE_2D);
        glPointSize(1.0f);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        // Window x and y; z is the window depth, 0 near and 1 far.
        glOrtho(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], 0.0,
                -1.0);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glBegin(GL_POINTS);
        const float* c = raster.colour;
        for (GLsizei j = 0; j < height; ++j) {
            for (GLsizei i = 0; i < width; ++i) {
                if (!bits[static_cast<size_t>(j) * width + i]) continue;
                glColor4f(webgl::byteExact(c[0]), webgl::byteExact(c[1]), webgl::byteExact(c[2]),
                          webgl::byteExact(c[3]));
                glVertex3f(left + i + 0.5f, bottom + j + 0.5f, raster.window[2]);
            }
        }
        glEnd();
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(webgl::state().matrixMode);
        glPointSize(webgl::state().pointSize);
        if (textured) glEnable(GL_TEXTURE_2D);
        const float* current = webgl::state().current.colour;
        glColor4f(current[0], current[1], current[2], current[3]);
    }
    raster.window[0] += xmove;
    raster.window[1] += ymove;
}

}  // namespace

void orbekglRasterPos3f(GLfloat x, GLfloat y, GLfloat z) {
    if (webgl::recorded([=] { orbekglRasterPos3f(x, y, z); })) return;
    setRasterPosition(x, y, z);
}

void orbekglRasterPos2f(GLfloat x, GLfloat y) {
    orbekglRasterPos3f(x, y, 0.0f);
}
void orbekglRasterPos2i(GLint x, GLint y) {
    orbekglRasterPos3f(static_cast<float>(x), static_cast<float>(y), 0.0f);
}

void orbekglBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove,
                   GLfloat ymove, const GLubyte* bitmap) {
    if (width < 0 || height < 0) return;
    std::vector<unsigned char> bits = unpackBits(width, height, bitmap);
    auto call = [=] { drawBitmap(width, height, xorig, yorig, xmove, ymove, bits); };
    if (webgl::recorded(call)) return;
    call();
}
