// Vertex arrays in client memory and glDrawElements: the vertices the indices reach are copied
// into the frame's stream with the current values for arrays that are off, and the indices
// rebased to them, so a mesh is queued like immediate mode and joins its neighbours.
#include <algorithm>
#include <cstdint>

#include "Errors.h"
#include "Frame.h"
#include "Lists.h"
#include "Triangulate.h"

using namespace ffgl;

namespace {

ClientArray* clientArray(GLenum array) {
    switch (array) {
        case GL_VERTEX_ARRAY:
            return &state().vertexArray;
        case GL_NORMAL_ARRAY:
            return &state().normalArray;
        case GL_TEXTURE_COORD_ARRAY:
            return &state().texCoordArray;
        default:
            return nullptr;
    }
}

void setPointer(const char* call, ClientArray& array, GLint size, GLenum type, GLsizei stride,
                const GLvoid* pointer) {
    if (type != GL_FLOAT) return refuse(call, GL_INVALID_ENUM, "arrays are of GL_FLOAT");
    if (stride < 0) return refuse(call, GL_INVALID_VALUE, "a negative stride");
    array.size = size;
    array.stride = stride == 0 ? static_cast<GLsizei>(size * sizeof(float)) : stride;
    array.pointer = pointer;
}

const float* element(const ClientArray& array, std::uint32_t index) {
    return reinterpret_cast<const float*>(static_cast<const std::uint8_t*>(array.pointer) +
                                          static_cast<std::size_t>(index) * array.stride);
}

template <class Index>
void draw(GLenum mode, GLsizei count, const Index* indices) {
    const State& s = state();
    const ClientArray& positions = s.vertexArray;
    const bool normals = s.normalArray.enabled && s.normalArray.pointer;
    const bool texCoords = s.texCoordArray.enabled && s.texCoordArray.pointer;
    if (compiling()) {
        // GL reads the arrays when the call is compiled: the list keeps the vertices.
        ffglBegin(mode);
        for (GLsizei i = 0; i < count; ++i) {
            const std::uint32_t k = indices[i];
            if (normals) {
                const float* n = element(s.normalArray, k);
                ffglNormal3f(n[0], n[1], n[2]);
            }
            if (texCoords) {
                const float* t = element(s.texCoordArray, k);
                ffglTexCoord2f(t[0], t[1]);
            }
            const float* p = element(positions, k);
            ffglVertex3f(p[0], p[1], positions.size == 3 ? p[2] : 0.0f);
        }
        ffglEnd();
        return;
    }
    const auto range = std::minmax_element(indices, indices + count);
    const std::uint32_t lowest = *range.first;
    const std::uint32_t highest = *range.second;
    Frame& f = frame();
    const std::uint32_t base = static_cast<std::uint32_t>(f.vertices.size());
    f.vertices.reserve(f.vertices.size() + (highest - lowest + 1));
    for (std::uint32_t k = lowest; k <= highest; ++k) {
        const float* p = element(positions, k);
        Vertex v = vertexWith(state().current, p[0], p[1], positions.size == 3 ? p[2] : 0.0f);
        if (normals) {
            const float* n = element(s.normalArray, k);
            v.normal[0] = n[0];
            v.normal[1] = n[1];
            v.normal[2] = n[2];
        }
        if (texCoords) {
            const float* t = element(s.texCoordArray, k);
            v.texCoord[0] = t[0];
            v.texCoord[1] = t[1];
        }
        f.vertices.push_back(v);
    }
    const std::uint32_t first = static_cast<std::uint32_t>(f.indices.size());
    const std::uint32_t offset = base - lowest;
    triangulate(
        mode, static_cast<std::uint32_t>(count),
        [indices, offset](std::uint32_t i) { return offset + indices[i]; }, s.shadeModel == GL_FLAT,
        f.indices);
    f.addStreamDraw(drawnMode(mode), first);
}

}  // namespace

void ffglEnableClientState(GLenum array) {
    if (!outsideBeginEnd("glEnableClientState")) return;
    ClientArray* a = clientArray(array);
    if (!a) return refuse("glEnableClientState", GL_INVALID_ENUM, "an array this layer lacks");
    a->enabled = true;
}

void ffglDisableClientState(GLenum array) {
    if (!outsideBeginEnd("glDisableClientState")) return;
    ClientArray* a = clientArray(array);
    if (!a) return refuse("glDisableClientState", GL_INVALID_ENUM, "an array this layer lacks");
    a->enabled = false;
}

void ffglVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    if (!outsideBeginEnd("glVertexPointer")) return;
    if (size != 2 && size != 3)
        return refuse("glVertexPointer", GL_INVALID_VALUE, "positions have 2 or 3 components");
    setPointer("glVertexPointer", state().vertexArray, size, type, stride, pointer);
}

void ffglNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
    if (!outsideBeginEnd("glNormalPointer")) return;
    setPointer("glNormalPointer", state().normalArray, 3, type, stride, pointer);
}

void ffglTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    if (!outsideBeginEnd("glTexCoordPointer")) return;
    if (size != 2)
        return refuse("glTexCoordPointer", GL_INVALID_VALUE, "texture coordinates have 2");
    setPointer("glTexCoordPointer", state().texCoordArray, size, type, stride, pointer);
}

void ffglDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    if (!outsideBeginEnd("glDrawElements")) return;
    if (drawnMode(mode) == 0xffff)
        return refuse("glDrawElements", GL_INVALID_ENUM, "lines and unknown modes are not drawn");
    if (count < 0) return refuse("glDrawElements", GL_INVALID_VALUE, "a negative count");
    if (type != GL_UNSIGNED_BYTE && type != GL_UNSIGNED_SHORT && type != GL_UNSIGNED_INT)
        return refuse("glDrawElements", GL_INVALID_ENUM, "indices are unsigned integers");
    // Without the vertex array GL makes no vertices; discarded draws make none either.
    const State& s = state();
    if (count == 0 || !s.vertexArray.enabled || !s.vertexArray.pointer) return;
    if (drawsDropped() && !compiling()) return;
    if (type == GL_UNSIGNED_BYTE)
        draw(mode, count, static_cast<const GLubyte*>(indices));
    else if (type == GL_UNSIGNED_SHORT)
        draw(mode, count, static_cast<const GLushort*>(indices));
    else
        draw(mode, count, static_cast<const GLuint*>(indices));
}
