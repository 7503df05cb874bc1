// GL 1.1's primitives as what WebGL 2 draws: points stay points, every polygon kind becomes a
// triangle list. Each triangle keeps the winding GL gives it and, where flat shading needs it,
// ends with the vertex whose colour GL uses, as GLES takes the last. Pure arithmetic, no GL.
#pragma once

#include <cstdint>
#include <vector>

#include "ffgl.h"

namespace ffgl {

// GL_POINTS or GL_TRIANGLES; GL_INVALID_ENUM's stand-in 0xffff for lines and unknown modes.
inline GLenum drawnMode(GLenum mode) {
    if (mode == GL_POINTS) return GL_POINTS;
    if (mode >= GL_TRIANGLES && mode <= GL_POLYGON) return GL_TRIANGLES;
    return 0xffff;
}

// Appends to out the indices that draw count vertices given to glBegin(mode); vertex(i) is the
// index of the i-th. Incomplete primitives at the end are left out, as GL leaves them. flat says
// whether the shade model is GL_FLAT, which decides how a quad is cut (below).
template <class VertexIndex>
void triangulate(GLenum mode, std::uint32_t count, VertexIndex vertex, bool flat,
                 std::vector<std::uint32_t>& out) {
    auto triangle = [&](std::uint32_t a, std::uint32_t b, std::uint32_t c) {
        out.push_back(vertex(a));
        out.push_back(vertex(b));
        out.push_back(vertex(c));
    };
    switch (mode) {
        case GL_POINTS:
            for (std::uint32_t i = 0; i < count; ++i) out.push_back(vertex(i));
            break;
        case GL_TRIANGLES:
            for (std::uint32_t i = 0; i + 3 <= count; i += 3) triangle(i, i + 1, i + 2);
            break;
        case GL_TRIANGLE_STRIP:
            for (std::uint32_t i = 0; i + 3 <= count; ++i) {
                if (i % 2 == 0)
                    triangle(i, i + 1, i + 2);
                else
                    triangle(i + 1, i, i + 2);
            }
            break;
        case GL_TRIANGLE_FAN:
            for (std::uint32_t i = 1; i + 2 <= count; ++i) triangle(0, i, i + 1);
            break;
        case GL_QUADS:
            // Smooth, a quad is cut from its first vertex to its third, as the desktop's Mesa
            // cuts it (the colours across a quad depend on the cut); flat, from its second to its
            // fourth, so that both triangles end with the fourth, whose colour GL gives the quad.
            for (std::uint32_t i = 0; i + 4 <= count; i += 4) {
                if (flat) {
                    triangle(i, i + 1, i + 3);
                    triangle(i + 1, i + 2, i + 3);
                } else {
                    triangle(i, i + 1, i + 2);
                    triangle(i, i + 2, i + 3);
                }
            }
            break;
        case GL_QUAD_STRIP:
            // Quad i is 2i, 2i+1, 2i+3, 2i+2 around its edge; GL shades it flat with 2i+3.
            for (std::uint32_t i = 0; i + 4 <= count; i += 2) {
                triangle(i, i + 1, i + 3);
                triangle(i + 2, i, i + 3);
            }
            break;
        case GL_POLYGON:
            // A fan whose triangles end with the first vertex, GL's flat colour for a polygon.
            for (std::uint32_t i = 1; i + 2 <= count; ++i) triangle(i, i + 1, 0);
            break;
        default:
            break;
    }
}

}  // namespace ffgl
