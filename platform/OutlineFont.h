// Fonts for GL text: a face chosen by name, turned into display lists of bitmap glyphs or of
// extruded outline glyphs, one list per character, each ending with a move by the glyph's advance.
// The calls and the metrics record follow the system's own font calls so the text code reads the
// same.
#pragma once

#include "platform/GLContext.h"

namespace platform {

struct FontData;
using FontHandle = FontData*;

// The system's glyph metrics record, field for field. Outline metrics are in em units (em = 1.0).
struct PointFloat {
    float x;
    float y;
};
struct GlyphMetricsFloat {
    float gmfBlackBoxX;           // width of the glyph's ink
    float gmfBlackBoxY;           // height of the glyph's ink
    PointFloat gmfptGlyphOrigin;  // upper left corner of the ink, from the glyph's origin
    float gmfCellIncX;            // advance to the next glyph's origin
    float gmfCellIncY;
};
static_assert(sizeof(GlyphMetricsFloat) == 24, "six floats, as the system lays them out");

constexpr int fwNormal = 400;
constexpr int fwBold = 700;
constexpr int fontFormatLines = 0;
constexpr int fontFormatPolygons = 1;

// A face by name at a height in pixels: negative asks for a character (em) height, positive for a
// cell height. A face that is not installed falls back to a monospace face that is; null only when
// no font at all can be opened.
FontHandle createFont(int height, int weight, const char* faceName);
bool deleteFont(FontHandle font);

// Makes font the one the glyph calls use on deviceContext; returns the one it replaces (may be
// null).
FontHandle selectFont(DeviceContext deviceContext, FontHandle font);

// Lists listBase to listBase + count - 1 for codes first to first + count - 1, each drawing the
// glyph with glBitmap at the raster position and moving it by the advance. Needs a current context.
bool useFontBitmaps(DeviceContext deviceContext, unsigned first, unsigned count, unsigned listBase);

// The same lists as extruded outline glyphs: front face at z = 0, back face at z = -extrusion,
// walls between them (or the contours as line loops for fontFormatLines), in em units, each list
// ending with a translation by the advance. deviation is the largest distance allowed between a
// curve and its straight pieces, in em units; 0 asks for a fine default. metrics, when given,
// receives count records. Needs a current context.
bool useFontOutlines(DeviceContext deviceContext, unsigned first, unsigned count, unsigned listBase,
                     float deviation, float extrusion, int format, GlyphMetricsFloat* metrics);

}  // namespace platform
