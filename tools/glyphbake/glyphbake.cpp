// glyphbake: writes the extruded outline glyphs of the demo's text font into a glyph file, for the
// browser build, which has no font files and no tessellator of its own. The glyphs are the very
// shapes the native build compiles into its display lists.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/GlyphShapes.h"
#include "platform/MessageBox.h"
#include "platform/OutlineFont.h"
#include "platform/freetype/OutlineShapes.h"

namespace {

// What the demo's text objects ask for: printable ASCII of a bold face, extruded by 0.2 em.
constexpr unsigned firstCode = 32;
constexpr unsigned glyphCount = 96;
constexpr float extrusion = 0.2f;
constexpr int requestHeight = 12;

int fail(const std::string& message) {
    std::fprintf(stderr, "glyphbake: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    platform::suppressDialogs();  // a tool's problems go to stderr, never into a box
    if (argc < 2 || argc > 3 || std::strcmp(argv[1], "--help") == 0) {
        std::fputs(
            "usage: glyphbake OUTPUT [FACE]\n"
            "Bakes the outline glyphs of FACE (default \"Courier New\", bold) for codes 32 to "
            "127.\n",
            argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    platform::GlyphSet set;
    set.faceName = argc == 3 ? argv[2] : "Courier New";
    set.first = firstCode;
    set.deviation = 0.0f;
    set.extrusion = extrusion;
    set.format = platform::fontFormatPolygons;

    platform::FontHandle font =
        platform::createFont(-requestHeight, platform::fwBold, set.faceName.c_str());
    if (font == nullptr) return fail("no font can be opened");
    const bool complete = platform::buildGlyphShapes(font, set.first, glyphCount, set.deviation,
                                                     set.extrusion, set.format, &set.glyphs);
    platform::deleteFont(font);
    if (!complete) return fail("some glyphs of " + set.faceName + " could not be filled");

    const std::vector<unsigned char> bytes = platform::encodeGlyphSet(set);
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) return fail(std::string("cannot write ") + argv[1]);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) return fail(std::string("cannot write ") + argv[1]);
    return 0;
}
