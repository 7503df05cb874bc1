// Text: the outline-font service (face lookup and fallback, metrics in em units, lists that end
// with the advance, bitmap glyphs) and OutlineText's centring, spin, copies and refused input.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "effects/OutlineText.h"
#include "platform/GL.h"
#include "platform/OutlineFont.h"
#include "tests/support/OffscreenGL.h"

namespace {

// Liberation Mono, the stand-in for the asked face: every advance is 1229 of 2048 em units.
constexpr float monoAdvance = 1229.0f / 2048.0f;

class TextTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ready()) << gl.error();
        dc = gl.deviceContext();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    static void modelview(GLfloat* m) { glGetFloatv(GL_MODELVIEW_MATRIX, m); }

    testing_support::OffscreenGL gl;
    platform::DeviceContext dc = nullptr;
};

platform::GlyphMetricsFloat metricsOf(platform::FontHandle font, platform::DeviceContext dc,
                                      char c) {
    platform::GlyphMetricsFloat all[96];
    GLuint lists = glGenLists(96);
    platform::FontHandle previous = platform::selectFont(dc, font);
    EXPECT_TRUE(platform::useFontOutlines(dc, 32, 96, lists, 0.0f, 0.2f,
                                          platform::fontFormatPolygons, all));
    platform::selectFont(dc, previous);
    glDeleteLists(lists, 96);
    return all[static_cast<unsigned char>(c) - 32];
}

TEST_F(TextTest, FaceIsFoundByNameOrFallsBackToAnInstalledMonospaceFace) {
    platform::FontHandle courier = platform::createFont(-12, platform::fwBold, "Courier New");
    ASSERT_NE(courier, nullptr);
    platform::GlyphMetricsFloat one = metricsOf(courier, dc, '1');
    EXPECT_FLOAT_EQ(one.gmfCellIncX, monoAdvance);
    EXPECT_EQ(one.gmfCellIncY, 0.0f);
    EXPECT_GT(one.gmfBlackBoxY, 0.6f);  // a digit is most of an em tall...
    EXPECT_LT(one.gmfBlackBoxY, 0.8f);
    EXPECT_GT(one.gmfptGlyphOrigin.y, one.gmfBlackBoxY - 0.01f);  // ...and stands on the baseline
    platform::GlyphMetricsFloat space = metricsOf(courier, dc, ' ');
    EXPECT_EQ(space.gmfBlackBoxX, 0.0f);
    EXPECT_FLOAT_EQ(space.gmfCellIncX, monoAdvance);
    EXPECT_TRUE(platform::deleteFont(courier));

    for (const char* face : {"No Such Face Anywhere", "", static_cast<const char*>(nullptr)}) {
        platform::FontHandle fallback = platform::createFont(-12, platform::fwBold, face);
        ASSERT_NE(fallback, nullptr);
        float narrow = metricsOf(fallback, dc, 'i').gmfCellIncX;
        EXPECT_GT(narrow, 0.4f);
        EXPECT_EQ(narrow, metricsOf(fallback, dc, 'W').gmfCellIncX) << "a monospace face";
        platform::deleteFont(fallback);
    }
    // Nothing selected: the glyph calls refuse rather than guess.
    EXPECT_FALSE(platform::useFontOutlines(dc, 32, 96, 1, 0.0f, 0.2f, platform::fontFormatPolygons,
                                           nullptr));
}

TEST_F(TextTest, BitmapGlyphsMoveTheRasterPositionByTheirPixelAdvance) {
    TextFont font("Courier New", &dc, 12);
    ASSERT_NE(font.font, nullptr);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 640, 0, 480, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glRasterPos2i(100, 100);
    glListBase(font.listBase);
    const char* digits = "\x11\x12\x13\x14\x15";  // codes 49 to 53 as offsets from code 32
    glCallLists(5, GL_UNSIGNED_BYTE, digits);
    glListBase(0);
    GLfloat raster[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    // Twelve pixels to the em: each advance is 7.2 pixels, rounded by the renderer to 7.
    EXPECT_NEAR(raster[0], 100 + 5 * 7.0f, 1.0f);
    EXPECT_GT(testing_support::countPixelsNot(gl.readPixels(), 0, 0, 0), 40);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextTest, ListsMoveByTheAdvanceAndPrintCentresTheTextOnItsPosition) {
    OutlineText text("Courier New", &dc, 12);
    for (char c : {'0', '5', '9', 'A', ' '})
        EXPECT_FLOAT_EQ(text.glyphMetrics[c - 32].gmfCellIncX, monoAdvance) << c;
    glCallList(text.listBase + ('5' - 32));
    GLfloat m[16];
    modelview(m);
    EXPECT_NEAR(m[12], monoAdvance, 1e-6f);
    EXPECT_EQ(m[13], 0.0f);

    glLoadIdentity();
    text.position = Point3{1.0f, 2.0f, 3.0f};
    text.scale = Point3{4.0f, 4.0f, 4.0f};
    text.print("%d", 3);
    // Centring moves back half the width, the glyph's list forward a whole advance.
    modelview(m);
    EXPECT_NEAR(m[12], 1.0f + 4.0f * monoAdvance / 2.0f, 1e-5f);
    EXPECT_NEAR(m[13], 2.0f, 1e-6f);
    EXPECT_NEAR(m[14], 3.0f, 1e-6f);

    glLoadIdentity();
    text.position = Point3{0, 0, 0};
    text.scale = Point3{1, 1, 1};
    text.print("%s", "12345");
    modelview(m);
    EXPECT_NEAR(m[12], 2.5f * monoAdvance, 1e-5f);
}

TEST_F(TextTest, CharactersWithoutAGlyphAreLeftOutAndLongTextIsCut) {
    OutlineText text("Courier New", &dc, 12);
    text.print("1\t2\x80\xff\n");
    GLfloat m[16];
    modelview(m);
    EXPECT_NEAR(m[12], monoAdvance, 1e-5f);  // two glyphs: -1 advance, then +2

    glLoadIdentity();
    text.print("%300s", "x");  // cut at 255 characters
    modelview(m);
    EXPECT_NEAR(m[12], 255 * monoAdvance / 2.0f, 1e-3f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextTest, RotationAdvancesBySpinOnEveryPrintButNotOnANullFormat) {
    auto* red = new OutlineText("Courier New", &dc, 12);
    red->spin.y = 2.0f;
    red->rotation.x = -90.0f;
    auto* yellow = new OutlineText(*red);
    EXPECT_EQ(yellow->glyphMetrics, red->glyphMetrics);
    EXPECT_EQ(yellow->listBase, red->listBase);

    red->print("%d", 5);
    EXPECT_EQ(red->rotation.y, 2.0f);
    red->print("%d", 4);
    EXPECT_EQ(red->rotation.y, 4.0f);
    EXPECT_EQ(red->rotation.x, -90.0f);
    yellow->print("%d", 5);
    EXPECT_EQ(yellow->rotation.y, 2.0f);
    EXPECT_EQ(red->rotation.y, 4.0f);

    glLoadIdentity();
    red->print(nullptr);
    EXPECT_EQ(red->rotation.y, 4.0f);
    GLfloat m[16];
    modelview(m);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0f : 0.0f);

    // The first print turns by the starting angles: the X rotation stands the text up.
    glLoadIdentity();
    OutlineText fresh(*red);
    fresh.rotation = Point3{-90.0f, 0.0f, 0.0f};
    fresh.print("1");
    modelview(m);
    EXPECT_NEAR(m[6], -1.0f, 1e-6f);  // local y runs along world -z

    // The copy shares everything and releases nothing.
    delete yellow;
    red->print("%d", 3);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    delete red;
}

}  // namespace
