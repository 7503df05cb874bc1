// glBegin/glEnd assembled here and drawn through the emulation with every vertex carrying the same
// attributes (the emulation packs calls in the order they come). Consecutive point batches are
// gathered and drawn as one: a draw per particle costs half the frame rate.
#define ORBEK_WEBGL_NO_RENAME
#include "platform/web/gl/ShimGL.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/web/gl/ShimState.h"

namespace {

struct Vertex {
    float position[4];
    float colour[4];
    float normal[3];
    float texCoord[2];
};

struct Batch {
    bool open = false;
    GLenum mode = GL_POINTS;
    bool colour = false;  // which attributes the batch itself set
    bool normal = false;
    bool texCoord = false;
    std::vector<Vertex> vertices;
};

Batch batch;
std::vector<Vertex> gathered;
// Well inside the emulation's vertex buffer (2 MB): 20 bytes a point.
constexpr size_t maxGatheredPoints = 32768;

// WebGL draws neither quad strips nor polygons; the same vertices as a triangle strip or fan
// cover the same area.
GLenum drawableMode(GLenum mode) {
    if (mode == GL_QUAD_STRIP) return GL_TRIANGLE_STRIP;
    if (mode == GL_POLYGON) return GL_TRIANGLE_FAN;
    return mode;
}

void draw(GLenum mode, const std::vector<Vertex>& vertices, bool colour, bool normal,
          bool texCoord) {
    size_t count = vertices.size();
    if (mode == GL_QUADS) count -= count % 4;
    if (count == 0) return;
    glBegin(drawableMode(mode));
    for (size_t i = 0; i < count; ++i) {
        const Vertex& v = vertices[i];
        if (colour)
            glColor4f(webgl::byteExact(v.colour[0]), webgl::byteExact(v.colour[1]),
                      webgl::byteExact(v.colour[2]), webgl::byteExact(v.colour[3]));
        if (normal) glNormal3f(v.normal[0], v.normal[1], v.normal[2]);
        if (texCoord) glTexCoord2f(v.texCoord[0], v.texCoord[1]);
        glVertex4f(v.position[0], v.position[1], v.position[2], v.position[3]);
    }
    glEnd();
}

bool pointsCanWait() {
    return webgl::state().gatherPoints && batch.colour && !webgl::isEnabled(GL_TEXTURE_2D) &&
           !webgl::isEnabled(GL_LIGHTING) && !webgl::isEnabled(GL_FOG);
}

void setColour(float r, float g, float b, float a) {
    float* c = webgl::state().current.colour;
    c[0] = r;
    c[1] = g;
    c[2] = b;
    c[3] = a;
    if (batch.open) {
        batch.colour = true;
        return;
    }
    // Outside a batch the emulation keeps the colour as a float, as GL does.
    glColor4f(r, g, b, a);
    webgl::followColourMaterial();
}

}  // namespace

namespace webgl {

float byteExact(float c) {
    // In double: c * 255 in float may round up onto the half that decides the byte.
    const double clamped = std::min(std::max(static_cast<double>(c), 0.0), 1.0);
    return static_cast<float>((std::floor(clamped * 255.0 + 0.5) + 0.25) / 255.0);
}

void flushPoints() {
    if (gathered.empty()) return;
    draw(GL_POINTS, gathered, true, false, false);
    gathered.clear();
}

void clearImmediate() {
    batch = Batch{};
    gathered.clear();
}

}  // namespace webgl

void orbekglBegin(GLenum mode) {
    if (webgl::recorded([=] { orbekglBegin(mode); })) return;
    if (batch.open) return;
    if (mode != GL_POINTS) webgl::flushPoints();
    batch.open = true;
    batch.mode = mode;
    batch.colour = batch.normal = batch.texCoord = false;
    batch.vertices.clear();
}

void orbekglEnd() {
    if (webgl::recorded([] { orbekglEnd(); })) return;
    if (!batch.open) return;
    batch.open = false;
    if (batch.mode == GL_POINTS && pointsCanWait()) {
        gathered.insert(gathered.end(), batch.vertices.begin(), batch.vertices.end());
        if (gathered.size() >= maxGatheredPoints) webgl::flushPoints();
    } else {
        webgl::flushPoints();
        draw(batch.mode, batch.vertices, batch.colour,
             batch.normal || webgl::isEnabled(GL_LIGHTING),
             batch.texCoord || webgl::isEnabled(GL_TEXTURE_2D));
    }
    if (batch.colour) {
        // The last colour of the batch stays current, for the emulation too.
        const float* c = webgl::state().current.colour;
        glColor4f(c[0], c[1], c[2], c[3]);
        webgl::followColourMaterial();
    }
}

void orbekglVertex4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w) {
    if (webgl::recorded([=] { orbekglVertex4f(x, y, z, w); })) return;
    if (!batch.open) return;
    const webgl::CurrentAttributes& c = webgl::state().current;
    batch.vertices.push_back(Vertex{{x, y, z, w},
                                    {c.colour[0], c.colour[1], c.colour[2], c.colour[3]},
                                    {c.normal[0], c.normal[1], c.normal[2]},
                                    {c.texCoord[0], c.texCoord[1]}});
}

void orbekglVertex2f(GLfloat x, GLfloat y) {
    orbekglVertex4f(x, y, 0.0f, 1.0f);
}
void orbekglVertex2i(GLint x, GLint y) {
    orbekglVertex4f(static_cast<float>(x), static_cast<float>(y), 0.0f, 1.0f);
}
void orbekglVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    orbekglVertex4f(x, y, z, 1.0f);
}
void orbekglVertex3fv(const GLfloat* v) {
    orbekglVertex4f(v[0], v[1], v[2], 1.0f);
}
void orbekglVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    orbekglVertex4f(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), 1.0f);
}
void orbekglVertex3dv(const GLdouble* v) {
    orbekglVertex3d(v[0], v[1], v[2]);
}

void orbekglColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    if (webgl::recorded([=] { orbekglColor4f(r, g, b, a); })) return;
    setColour(r, g, b, a);
}

void orbekglColor3f(GLfloat r, GLfloat g, GLfloat b) {
    orbekglColor4f(r, g, b, 1.0f);
}
void orbekglColor3fv(const GLfloat* v) {
    orbekglColor4f(v[0], v[1], v[2], 1.0f);
}
void orbekglColor4fv(const GLfloat* v) {
    orbekglColor4f(v[0], v[1], v[2], v[3]);
}
void orbekglColor3d(GLdouble r, GLdouble g, GLdouble b) {
    orbekglColor4f(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), 1.0f);
}
void orbekglColor3ub(GLubyte r, GLubyte g, GLubyte b) {
    orbekglColor4f(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f);
}

void orbekglNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    if (webgl::recorded([=] { orbekglNormal3f(x, y, z); })) return;
    float* n = webgl::state().current.normal;
    n[0] = x;
    n[1] = y;
    n[2] = z;
    if (batch.open) batch.normal = true;
}

void orbekglNormal3fv(const GLfloat* v) {
    orbekglNormal3f(v[0], v[1], v[2]);
}
void orbekglNormal3d(GLdouble x, GLdouble y, GLdouble z) {
    orbekglNormal3f(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void orbekglTexCoord2f(GLfloat s, GLfloat t) {
    if (webgl::recorded([=] { orbekglTexCoord2f(s, t); })) return;
    float* c = webgl::state().current.texCoord;
    c[0] = s;
    c[1] = t;
    if (batch.open) batch.texCoord = true;
}

void orbekglTexCoord2fv(const GLfloat* v) {
    orbekglTexCoord2f(v[0], v[1]);
}
void orbekglTexCoord2d(GLdouble s, GLdouble t) {
    orbekglTexCoord2f(static_cast<float>(s), static_cast<float>(t));
}
