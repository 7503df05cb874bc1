// Fonts for GL text in a browser page, which has neither font files nor a tessellator: the outline
// glyphs were baked at build time into a glyph file (GlyphShapes.h) that the page preloads. Every
// face name gets the baked face, as a missing face falls back to the installed monospace one
// elsewhere. Bitmap glyphs are not baked: their lists only move by the advance.
#include <cmath>
#include <map>

#include "platform/GL.h"
#include "platform/GlyphShapes.h"
#include "platform/MappedFile.h"
#include "platform/OutlineFont.h"

namespace platform {

struct FontData {
    int height;
};

namespace {

// Where the page's preloaded files appear in the program's file system.
constexpr const char* glyphFilePath = "/glyphs.dat";

std::map<DeviceContext, FontHandle> selectedFonts;

// Read once, on first use; empty when the file is missing or damaged.
const GlyphSet& bakedGlyphs() {
    static GlyphSet set;
    static bool read = false;
    if (!read) {
        read = true;
        MappedFile file;
        if (!file.open(glyphFilePath) || !decodeGlyphSet(file.data(), file.size(), &set))
            set = GlyphSet();
    }
    return set;
}

FontHandle fontOf(DeviceContext deviceContext) {
    auto it = selectedFonts.find(deviceContext);
    return it == selectedFonts.end() ? nullptr : it->second;
}

const GlyphShape* shapeFor(const GlyphSet& set, unsigned code) {
    if (code < set.first || code - set.first >= set.glyphs.size()) return nullptr;
    return &set.glyphs[code - set.first];
}

}  // namespace

FontHandle createFont(int height, int, const char*) {
    if (bakedGlyphs().glyphs.empty()) return nullptr;
    return new FontData{height};
}

bool deleteFont(FontHandle font) {
    if (font == nullptr) return false;
    for (auto it = selectedFonts.begin(); it != selectedFonts.end();)
        it = it->second == font ? selectedFonts.erase(it) : std::next(it);
    delete font;
    return true;
}

FontHandle selectFont(DeviceContext deviceContext, FontHandle font) {
    FontHandle previous = fontOf(deviceContext);
    if (font != nullptr)
        selectedFonts[deviceContext] = font;
    else
        selectedFonts.erase(deviceContext);
    return previous;
}

bool useFontBitmaps(DeviceContext deviceContext, unsigned first, unsigned count,
                    unsigned listBase) {
    FontHandle font = fontOf(deviceContext);
    if (font == nullptr) return false;
    // The advance at the asked em height in pixels, from the outline metrics in em units.
    const float emPixels = static_cast<float>(font->height < 0 ? -font->height : font->height);
    const GlyphSet& set = bakedGlyphs();
    for (unsigned i = 0; i < count; ++i) {
        const GlyphShape* shape = shapeFor(set, first + i);
        glNewList(listBase + i, GL_COMPILE);
        glBitmap(0, 0, 0, 0, shape ? std::round(shape->metrics.gmfCellIncX * emPixels) : 0, 0,
                 nullptr);
        glEndList();
    }
    return false;  // no glyph images: the caller gets only the advances
}

bool useFontOutlines(DeviceContext deviceContext, unsigned first, unsigned count, unsigned listBase,
                     float deviation, float extrusion, int format, GlyphMetricsFloat* metrics) {
    const GlyphSet& set = bakedGlyphs();
    // Only what was baked can be drawn: the same depth and kind, and no finer curves.
    if (fontOf(deviceContext) == nullptr || extrusion != set.extrusion || format != set.format ||
        deviation < set.deviation)
        return false;
    bool complete = true;
    for (unsigned i = 0; i < count; ++i) {
        const GlyphShape* shape = shapeFor(set, first + i);
        glNewList(listBase + i, GL_COMPILE);
        if (shape != nullptr) drawGlyphShape(*shape);
        glEndList();
        if (metrics != nullptr)
            metrics[i] = shape ? shape->metrics : GlyphMetricsFloat{0, 0, {0, 0}, 0, 0};
        complete = complete && shape != nullptr;
    }
    return complete;
}

}  // namespace platform
