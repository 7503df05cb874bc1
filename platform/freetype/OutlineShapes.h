// The geometry of extruded outline glyphs from a FreeType face, for the display lists of
// useFontOutlines and for the glyph baker that carries them to the browser build.
#pragma once

#include <vector>

#include "platform/GlyphShapes.h"
#include "platform/OutlineFont.h"

namespace platform {

// Shapes for codes first to first + count - 1 with the meaning of useFontOutlines' arguments;
// false when the font is null or some glyph could not be read or filled (its shape is then empty).
bool buildGlyphShapes(FontHandle font, unsigned first, unsigned count, float deviation,
                      float extrusion, int format, std::vector<GlyphShape>* shapes);

}  // namespace platform
