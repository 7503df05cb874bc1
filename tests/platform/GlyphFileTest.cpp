// The glyph file that carries baked outline glyphs to the browser build: what is written is read
// back exactly, and damaged or foreign files are refused rather than half read.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/GL.h"
#include "platform/GlyphShapes.h"

namespace {

platform::GlyphSet sampleSet() {
    platform::GlyphSet set;
    set.faceName = "Courier New";
    set.first = 32;
    set.deviation = 0.0f;
    set.extrusion = 0.2f;
    set.format = platform::fontFormatPolygons;
    set.glyphs.resize(2);
    set.glyphs[1].metrics = platform::GlyphMetricsFloat{0.5f, 0.7f, {0.05f, 0.7f}, 0.6f, 0.0f};
    platform::GlyphPrimitive fan;
    fan.mode = GL_TRIANGLE_FAN;
    fan.normals = true;
    fan.data = {0, 0, 1, 0.1f, 0.2f, 0, 0, 0, 1, 0.3f, 0.2f, 0, 0, 0, 1, 0.2f, 0.5f, 0};
    platform::GlyphPrimitive loop;
    loop.mode = GL_LINE_LOOP;
    loop.data = {0, 0, -0.2f, 1, 0, -0.2f};
    set.glyphs[1].primitives = {fan, loop};
    return set;
}

}  // namespace

TEST(GlyphFile, ReadsBackEveryFieldOfEveryGlyph) {
    const platform::GlyphSet written = sampleSet();
    const std::vector<unsigned char> bytes = platform::encodeGlyphSet(written);
    platform::GlyphSet read;
    ASSERT_TRUE(platform::decodeGlyphSet(bytes.data(), bytes.size(), &read));
    EXPECT_EQ(read.faceName, written.faceName);
    EXPECT_EQ(read.first, 32u);
    EXPECT_FLOAT_EQ(read.extrusion, 0.2f);
    EXPECT_EQ(read.format, platform::fontFormatPolygons);
    ASSERT_EQ(read.glyphs.size(), 2u);
    EXPECT_TRUE(read.glyphs[0].primitives.empty());
    const platform::GlyphShape& glyph = read.glyphs[1];
    EXPECT_EQ(std::memcmp(&glyph.metrics, &written.glyphs[1].metrics, sizeof glyph.metrics), 0);
    ASSERT_EQ(glyph.primitives.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(glyph.primitives[i].mode, written.glyphs[1].primitives[i].mode);
        EXPECT_EQ(glyph.primitives[i].normals, written.glyphs[1].primitives[i].normals);
        EXPECT_EQ(glyph.primitives[i].data, written.glyphs[1].primitives[i].data);
    }
}

TEST(GlyphFile, RefusesTruncatedForeignAndInconsistentFilesAndKeepsTheOldSet) {
    const std::vector<unsigned char> good = platform::encodeGlyphSet(sampleSet());
    platform::GlyphSet kept;
    kept.faceName = "untouched";
    // Every cut, including one inside the last float, leaves a file that ends early.
    for (std::size_t size = 0; size < good.size(); ++size)
        ASSERT_FALSE(platform::decodeGlyphSet(good.data(), size, &kept)) << "cut at " << size;
    std::vector<unsigned char> longer = good;
    longer.push_back(0);
    EXPECT_FALSE(platform::decodeGlyphSet(longer.data(), longer.size(), &kept));
    std::vector<unsigned char> foreign = good;
    foreign[0] = 'X';
    EXPECT_FALSE(platform::decodeGlyphSet(foreign.data(), foreign.size(), &kept));
    std::vector<unsigned char> newer = good;
    newer[4] = 2;  // the version
    EXPECT_FALSE(platform::decodeGlyphSet(newer.data(), newer.size(), &kept));
    // A vertex count that does not split into whole vertices: the fan's 18 floats said to be 17.
    platform::GlyphSet odd = sampleSet();
    odd.glyphs[1].primitives[0].data.pop_back();
    const std::vector<unsigned char> oddBytes = platform::encodeGlyphSet(odd);
    EXPECT_FALSE(platform::decodeGlyphSet(oddBytes.data(), oddBytes.size(), &kept));
    EXPECT_EQ(kept.faceName, "untouched");
}
