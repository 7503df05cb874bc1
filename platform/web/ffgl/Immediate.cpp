// glBegin to glEnd: vertices go straight into the frame's streaming buffer with the current
// values (or into the list being compiled), and glEnd turns them into points or triangles and
// queues the draw, which joins the one before while the state stands still. While draws are
// discarded, vertices are not even kept: only the current values they set matter.
#include <cstdint>

#include "Errors.h"
#include "Frame.h"
#include "Lists.h"
#include "Materials.h"
#include "Triangulate.h"

using namespace ffgl;

namespace {

enum class Target : std::uint8_t { nothing, stream, list };

Target target = Target::nothing;  // where the open primitive's vertices go
std::uint32_t primitiveStart = 0;

}  // namespace

void ffglBegin(GLenum mode) {
    State& s = state();
    if (s.insideBeginEnd) return refuse("glBegin", GL_INVALID_OPERATION, "glBegin inside glBegin");
    if (drawnMode(mode) == 0xffff)
        return refuse("glBegin", GL_INVALID_ENUM, "lines and unknown modes are not drawn");
    s.insideBeginEnd = true;
    s.primitive = mode;
    if (compiling()) {
        target = Target::list;
        listBegin(mode);
    } else if (drawsDropped()) {
        target = Target::nothing;
    } else {
        target = Target::stream;
        primitiveStart = static_cast<std::uint32_t>(frame().vertices.size());
    }
}

void ffglEnd() {
    State& s = state();
    if (!s.insideBeginEnd) return refuse("glEnd", GL_INVALID_OPERATION, "no glBegin");
    s.insideBeginEnd = false;
    if (target == Target::list) {
        listEnd();
    } else if (target == Target::stream) {
        Frame& f = frame();
        const std::uint32_t start = primitiveStart;
        const std::uint32_t first = static_cast<std::uint32_t>(f.indices.size());
        triangulate(
            s.primitive, static_cast<std::uint32_t>(f.vertices.size()) - start,
            [start](std::uint32_t i) { return start + i; }, s.shadeModel == GL_FLAT, f.indices);
        if (f.indices.size() == first)
            f.vertices.resize(start);
        else
            f.addStreamDraw(drawnMode(s.primitive), first);
    }
    target = Target::nothing;
}

void ffglVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    // A vertex outside glBegin and glEnd does nothing.
    if (target == Target::stream)
        frame().vertices.push_back(vertexWith(state().current, x, y, z));
    else if (target == Target::list)
        listVertex(x, y, z);
}

void ffglVertex2f(GLfloat x, GLfloat y) {
    ffglVertex3f(x, y, 0.0f);
}

void ffglVertex3fv(const GLfloat* v) {
    ffglVertex3f(v[0], v[1], v[2]);
}

void ffglColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
    if (target == Target::list) return listColour(red, green, blue, alpha);
    if (recorded(Op::colour, red, green, blue, alpha)) return;
    setCurrentColour(red, green, blue, alpha);
}

void ffglColor3f(GLfloat red, GLfloat green, GLfloat blue) {
    ffglColor4f(red, green, blue, 1.0f);
}

void ffglColor3fv(const GLfloat* v) {
    ffglColor4f(v[0], v[1], v[2], 1.0f);
}

void ffglNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    if (target == Target::list) return listNormal(x, y, z);
    if (recorded(Op::normal, x, y, z)) return;
    float* n = state().current.normal;
    n[0] = x;
    n[1] = y;
    n[2] = z;
}

void ffglTexCoord2f(GLfloat s, GLfloat t) {
    if (target == Target::list) return listTexCoord(s, t);
    if (recorded(Op::texCoord, s, t)) return;
    float* c = state().current.texCoord;
    c[0] = s;
    c[1] = t;
}
