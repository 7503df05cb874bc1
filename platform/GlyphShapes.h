// Outline glyphs as ready-made geometry: the triangles, strips, fans and quads of each extruded
// glyph with their normals, and the glyph's metrics. Systems that tessellate outlines build them;
// the glyph file carries them to systems that cannot (the browser build bakes them at build time).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/OutlineFont.h"

namespace platform {

struct GlyphPrimitive {
    unsigned mode = 0;        // the GL primitive: GL_TRIANGLES, GL_QUADS, GL_LINE_LOOP, ...
    bool normals = false;     // each vertex carries its normal first
    std::vector<float> data;  // per vertex: nx ny nz (when normals) then x y z
};

struct GlyphShape {
    GlyphMetricsFloat metrics{0, 0, {0, 0}, 0, 0};
    std::vector<GlyphPrimitive> primitives;
};

// The glyphs of one font for codes first to first + glyphs.size() - 1, and what they were made
// with.
struct GlyphSet {
    std::string faceName;
    unsigned first = 0;
    float deviation = 0;
    float extrusion = 0;
    int format = fontFormatPolygons;
    std::vector<GlyphShape> glyphs;
};

// The glyph file: "OGLY", a version, the set's fields, then each glyph; little-endian throughout.
std::vector<unsigned char> encodeGlyphSet(const GlyphSet& set);
// False for a file that is not a glyph file of this version or ends early.
bool decodeGlyphSet(const unsigned char* data, std::size_t size, GlyphSet* set);

// Emits one glyph into the list being compiled: its primitives, then a move by its advance.
// Needs a current context.
void drawGlyphShape(const GlyphShape& shape);

}  // namespace platform
