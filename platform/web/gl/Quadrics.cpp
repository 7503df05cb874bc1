// GLU quadrics, filled style: cylinders (and cones) as quad strips per stack, disks as a fan in
// the middle and quad strips per loop, with GLU's vertex order, texture coordinates, normals and
// single-precision arithmetic, so the web shapes cover the same pixels as the desktop ones.
#define ORBEK_WEBGL_NO_RENAME
#include "platform/web/gl/ShimGL.h"

#include <cmath>
#include <vector>

class GLUquadric {
public:
    GLenum normals = GLU_SMOOTH;
    GLenum orientation = GLU_OUTSIDE;
    bool textureCoords = false;
};

namespace {

constexpr int maxSlices = 239;  // GLU's limit
constexpr double pi = 3.14159265358979323846;

struct Ring {
    std::vector<float> sine, cosine;
};

// sin and cos of slices + 1 angles from start by step; the last repeats the first for a full turn.
Ring ring(int slices, double start, double sweep, bool fullTurn) {
    Ring r;
    for (int i = 0; i <= slices; ++i) {
        const float angle = static_cast<float>(start + sweep * i / slices);
        r.sine.push_back(static_cast<float>(std::sin(angle)));
        r.cosine.push_back(static_cast<float>(std::cos(angle)));
    }
    if (fullTurn) {
        r.sine[slices] = r.sine[0];
        r.cosine[slices] = r.cosine[0];
    }
    return r;
}

}  // namespace

GLUquadric* orbekgluNewQuadric() {
    return new GLUquadric;
}

void orbekgluDeleteQuadric(GLUquadric* quadric) {
    delete quadric;
}

void orbekgluQuadricNormals(GLUquadric* quadric, GLenum normals) {
    if (normals == GLU_SMOOTH || normals == GLU_FLAT || normals == GLU_NONE)
        quadric->normals = normals;
}

void orbekgluQuadricTexture(GLUquadric* quadric, GLboolean textureCoords) {
    quadric->textureCoords = textureCoords != GL_FALSE;
}

void orbekgluQuadricOrientation(GLUquadric* quadric, GLenum orientation) {
    if (orientation == GLU_OUTSIDE || orientation == GLU_INSIDE) quadric->orientation = orientation;
}

void orbekgluCylinder(GLUquadric* quadric, GLdouble base, GLdouble top, GLdouble height,
                      GLint slices, GLint stacks) {
    if (slices > maxSlices) slices = maxSlices;
    if (slices < 2 || stacks < 1 || base < 0.0 || top < 0.0 || height < 0.0) return;
    const float deltaRadius = static_cast<float>(base - top);
    const float length = static_cast<float>(std::sqrt(deltaRadius * deltaRadius + height * height));
    if (length == 0.0f) return;

    const bool outside = quadric->orientation == GLU_OUTSIDE;
    const float zNormal = deltaRadius / length;
    const float xyNormal = static_cast<float>(height / length) * (outside ? 1.0f : -1.0f);
    const Ring positions = ring(slices, 0.0, 2.0 * pi, true);
    // Smooth normals point out of each vertex column, flat ones out of the middle of each face.
    const Ring normals =
        ring(slices, quadric->normals == GLU_FLAT ? -pi / slices : 0.0, 2.0 * pi, true);

    for (int j = 0; j < stacks; ++j) {
        const float zLow = static_cast<float>(j * height / stacks);
        const float zHigh = static_cast<float>((j + 1) * height / stacks);
        const float radiusLow =
            static_cast<float>(base - deltaRadius * (static_cast<float>(j) / stacks));
        const float radiusHigh =
            static_cast<float>(base - deltaRadius * (static_cast<float>(j + 1) / stacks));
        const float tLow = static_cast<float>(j) / stacks;
        const float tHigh = static_cast<float>(j + 1) / stacks;

        orbekglBegin(GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            if (quadric->normals != GLU_NONE)
                orbekglNormal3f(xyNormal * normals.sine[i], xyNormal * normals.cosine[i], zNormal);
            const float s = 1.0f - static_cast<float>(i) / slices;
            for (int k = 0; k < 2; ++k) {
                // Outside: bottom then top of each column; inside the other way round.
                const bool low = (k == 0) == outside;
                if (quadric->textureCoords) orbekglTexCoord2f(s, low ? tLow : tHigh);
                const float radius = low ? radiusLow : radiusHigh;
                orbekglVertex3f(radius * positions.sine[i], radius * positions.cosine[i],
                                low ? zLow : zHigh);
            }
        }
        orbekglEnd();
    }
}

void orbekgluPartialDisk(GLUquadric* quadric, GLdouble inner, GLdouble outer, GLint slices,
                         GLint loops, GLdouble start, GLdouble sweep) {
    if (slices > maxSlices) slices = maxSlices;
    if (slices < 2 || loops < 1 || outer <= 0.0 || inner < 0.0 || inner > outer) return;
    if (sweep < -360.0 || sweep > 360.0) sweep = 360.0;
    if (sweep < 0.0) {
        start += sweep;
        sweep = -sweep;
    }
    const bool outside = quadric->orientation == GLU_OUTSIDE;
    const float deltaRadius = static_cast<float>(outer - inner);
    const Ring r =
        ring(slices, static_cast<float>(start / 180.0 * pi), pi * sweep / 180.0, sweep == 360.0);
    if (quadric->normals != GLU_NONE) orbekglNormal3f(0.0f, 0.0f, outside ? 1.0f : -1.0f);

    auto vertex = [&](float radius, int i) {
        if (quadric->textureCoords) {
            const float t = static_cast<float>(radius / outer / 2.0);
            orbekglTexCoord2f(t * r.sine[i] + 0.5f, t * r.cosine[i] + 0.5f);
        }
        orbekglVertex3f(radius * r.sine[i], radius * r.cosine[i], 0.0f);
    };

    int strips = loops;
    if (inner == 0.0) {
        // The innermost loop is a fan round the centre.
        strips = loops - 1;
        const float radius =
            static_cast<float>(outer - deltaRadius * (static_cast<float>(loops - 1) / loops));
        orbekglBegin(GL_TRIANGLE_FAN);
        if (quadric->textureCoords) orbekglTexCoord2f(0.5f, 0.5f);
        orbekglVertex3f(0.0f, 0.0f, 0.0f);
        for (int n = 0; n <= slices; ++n) vertex(radius, outside ? slices - n : n);
        orbekglEnd();
    }
    for (int j = 0; j < strips; ++j) {
        const float radiusLow =
            static_cast<float>(outer - deltaRadius * (static_cast<float>(j) / loops));
        const float radiusHigh =
            static_cast<float>(outer - deltaRadius * (static_cast<float>(j + 1) / loops));
        orbekglBegin(GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            vertex(outside ? radiusLow : radiusHigh, i);
            vertex(outside ? radiusHigh : radiusLow, i);
        }
        orbekglEnd();
    }
}

void orbekgluDisk(GLUquadric* quadric, GLdouble inner, GLdouble outer, GLint slices, GLint loops) {
    orbekgluPartialDisk(quadric, inner, outer, slices, loops, 0.0, 360.0);
}
