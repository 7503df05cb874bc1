// GLU's cylinders and disks, filled: quad strips per stack or loop and a fan in a disk's middle,
// with GLU's vertex order, normals, texture coordinates and single-precision arithmetic, so they
// cover the desktop's pixels. Each shape is generated once into a kept list (static buffers):
// the flag's pole is two draws a frame and no vertices.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "Errors.h"
#include "Lists.h"

struct GLUquadric {
    GLenum normals = GLU_SMOOTH;
    bool textureCoords = false;
};

using namespace ffgl;

namespace {

constexpr int maxSlices = 239;  // GLU's limit
constexpr double pi = 3.14159265358979323846;

struct Ring {
    std::vector<float> sine, cosine;
};

// sin and cos of slices + 1 angles from start by sweep / slices; the last repeats the first.
Ring ring(int slices, double start, double sweep) {
    Ring r;
    for (int i = 0; i <= slices; ++i) {
        const float angle = static_cast<float>(start + sweep * i / slices);
        r.sine.push_back(static_cast<float>(std::sin(angle)));
        r.cosine.push_back(static_cast<float>(std::cos(angle)));
    }
    r.sine[slices] = r.sine[0];
    r.cosine[slices] = r.cosine[0];
    return r;
}

void cylinder(const GLUquadric& quadric, double base, double top, double height, int slices,
              int stacks) {
    const float deltaRadius = static_cast<float>(base - top);
    const float length = static_cast<float>(std::sqrt(deltaRadius * deltaRadius + height * height));
    if (length == 0.0f) return;
    const float zNormal = deltaRadius / length;
    const float xyNormal = static_cast<float>(height / length);
    const Ring positions = ring(slices, 0.0, 2.0 * pi);
    // Smooth normals point out of each vertex column, flat ones out of the middle of each face.
    const Ring normals = ring(slices, quadric.normals == GLU_FLAT ? -pi / slices : 0.0, 2.0 * pi);

    for (int j = 0; j < stacks; ++j) {
        const float zLow = static_cast<float>(j * height / stacks);
        const float zHigh = static_cast<float>((j + 1) * height / stacks);
        const float radiusLow =
            static_cast<float>(base - deltaRadius * (static_cast<float>(j) / stacks));
        const float radiusHigh =
            static_cast<float>(base - deltaRadius * (static_cast<float>(j + 1) / stacks));
        const float tLow = static_cast<float>(j) / stacks;
        const float tHigh = static_cast<float>(j + 1) / stacks;

        ffglBegin(GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            if (quadric.normals != GLU_NONE)
                ffglNormal3f(xyNormal * normals.sine[i], xyNormal * normals.cosine[i], zNormal);
            const float s = 1.0f - static_cast<float>(i) / slices;
            if (quadric.textureCoords) ffglTexCoord2f(s, tLow);
            ffglVertex3f(radiusLow * positions.sine[i], radiusLow * positions.cosine[i], zLow);
            if (quadric.textureCoords) ffglTexCoord2f(s, tHigh);
            ffglVertex3f(radiusHigh * positions.sine[i], radiusHigh * positions.cosine[i], zHigh);
        }
        ffglEnd();
    }
}

void disk(const GLUquadric& quadric, double inner, double outer, int slices, int loops) {
    const float deltaRadius = static_cast<float>(outer - inner);
    const Ring r = ring(slices, 0.0, 2.0 * pi);
    if (quadric.normals != GLU_NONE) ffglNormal3f(0.0f, 0.0f, 1.0f);

    auto vertex = [&](float radius, int i) {
        if (quadric.textureCoords) {
            const float t = static_cast<float>(radius / outer / 2.0);
            ffglTexCoord2f(t * r.sine[i] + 0.5f, t * r.cosine[i] + 0.5f);
        }
        ffglVertex3f(radius * r.sine[i], radius * r.cosine[i], 0.0f);
    };

    int strips = loops;
    if (inner == 0.0) {
        // The innermost loop is a fan round the centre.
        strips = loops - 1;
        const float radius =
            static_cast<float>(outer - deltaRadius * (static_cast<float>(loops - 1) / loops));
        ffglBegin(GL_TRIANGLE_FAN);
        if (quadric.textureCoords) ffglTexCoord2f(0.5f, 0.5f);
        ffglVertex3f(0.0f, 0.0f, 0.0f);
        for (int n = 0; n <= slices; ++n) vertex(radius, slices - n);
        ffglEnd();
    }
    for (int j = 0; j < strips; ++j) {
        const float radiusLow =
            static_cast<float>(outer - deltaRadius * (static_cast<float>(j) / loops));
        const float radiusHigh =
            static_cast<float>(outer - deltaRadius * (static_cast<float>(j + 1) / loops));
        ffglBegin(GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            vertex(radiusLow, i);
            vertex(radiusHigh, i);
        }
        ffglEnd();
    }
}

std::string shapeKey(const char* kind, const GLUquadric& q, double a, double b, double c, int m,
                     int n) {
    char key[160];
    std::snprintf(key, sizeof key, "%s %a %a %a %d %d %u %d", kind, a, b, c, m, n, q.normals,
                  q.textureCoords ? 1 : 0);
    return key;
}

}  // namespace

GLUquadric* ffgluNewQuadric() {
    return new GLUquadric;
}

void ffgluDeleteQuadric(GLUquadric* quadric) {
    delete quadric;
}

void ffgluQuadricNormals(GLUquadric* quadric, GLenum normals) {
    if (normals == GLU_SMOOTH || normals == GLU_FLAT || normals == GLU_NONE)
        quadric->normals = normals;
}

void ffgluQuadricTexture(GLUquadric* quadric, GLboolean textureCoords) {
    quadric->textureCoords = textureCoords != GL_FALSE;
}

void ffgluCylinder(GLUquadric* quadric, GLdouble base, GLdouble top, GLdouble height, GLint slices,
                   GLint stacks) {
    if (slices > maxSlices) slices = maxSlices;
    if (slices < 2 || stacks < 1 || base < 0.0 || top < 0.0 || height < 0.0) return;
    const GLUquadric q = *quadric;
    playKept(shapeKey("cylinder", q, base, top, height, slices, stacks),
             [&] { cylinder(q, base, top, height, slices, stacks); });
}

void ffgluDisk(GLUquadric* quadric, GLdouble inner, GLdouble outer, GLint slices, GLint loops) {
    if (slices > maxSlices) slices = maxSlices;
    if (slices < 2 || loops < 1 || outer <= 0.0 || inner < 0.0 || inner > outer) return;
    const GLUquadric q = *quadric;
    playKept(shapeKey("disk", q, inner, outer, 0.0, slices, loops),
             [&] { disk(q, inner, outer, slices, loops); });
}
