// What the program calls that WebGL has no such thing for: GL 1.0's texture format 3, hints,
// GL_CLAMP, border colours, colour material and materials; a texture without an image or with a
// mipmap filter drawing as none; colours inside and outside glBegin/glEnd giving the same pixels;
// glPushAttrib/glPopAttrib for enables and the current values; glBitmap moving the raster position.
#include <gtest/gtest.h>

#include "tests/web/ffgl/FfglTest.h"

namespace {

void quad(float x0, float y0, float x1, float y1) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(x0, y0);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(x1, y0);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(x1, y1);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(x0, y1);
    glEnd();
}

GLuint blueTexture(GLint minFilter) {
    const unsigned char blue[] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, blue);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    return texture;
}

Image texturedQuad(GLuint texture) {
    return render([&] {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glColor3f(1.0f, 1.0f, 1.0f);
        quad(-0.5f, -0.5f, 0.5f, 0.5f);
        glDisable(GL_TEXTURE_2D);
    });
}

TEST(StateCall, GL10CallsTheProgramMakesRaiseNoError) {
    clearGLError();
    const GLfloat border[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    const GLuint texture = blueTexture(GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT);
    glColorMaterial(GL_FRONT, GL_EMISSION);
    glDisable(GL_COLOR_MATERIAL);
    glMaterialf(GL_FRONT, GL_SHININESS, 20.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);
    const Image textured = texturedQuad(texture);
    EXPECT_EQ(textured.at(64, 64), 0x0000ffu);
    EXPECT_EQ(textured.at(10, 10), 0u);
    glDeleteTextures(1, &texture);
}

// GL draws an incomplete texture as no texture: the quad shows its own colour.
TEST(StateCall, IncompleteTexturesDrawAsNone) {
    const GLuint mipmapped = blueTexture(GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(texturedQuad(mipmapped).at(64, 64), 0xffffffu);
    GLuint empty = 0;
    glGenTextures(1, &empty);
    EXPECT_EQ(texturedQuad(empty).at(64, 64), 0xffffffu);
    EXPECT_EQ(texturedQuad(0).at(64, 64), 0xffffffu) << "the default texture has no image";
    glDeleteTextures(1, &mipmapped);
    glDeleteTextures(1, &empty);
}

TEST(StateCall, ColoursInsideAndOutsideGlBeginGiveTheSamePixels) {
    // c * 255 rounded: 0.38, 0.67 and 0.21 lie away from a half either way.
    const Image outside = render([] {
        glColor3f(0.38f, 0.67f, 0.21f);
        quad(-0.5f, -0.5f, 0.5f, 0.5f);
    });
    const Image inside = render([] {
        glBegin(GL_QUADS);
        glColor3f(0.38f, 0.67f, 0.21f);
        glVertex2f(-0.5f, -0.5f);
        glVertex2f(0.5f, -0.5f);
        glVertex2f(0.5f, 0.5f);
        glVertex2f(-0.5f, 0.5f);
        glEnd();
    });
    EXPECT_EQ(outside.at(64, 64), 0x61ab36u);
    EXPECT_EQ(inside.at(64, 64), outside.at(64, 64));
    const Image afterBatch = render([] {
        glBegin(GL_QUADS);
        glColor3f(0.0f, 1.0f, 0.0f);
        glVertex2f(-0.9f, -0.9f);
        glVertex2f(-0.8f, -0.9f);
        glVertex2f(-0.8f, -0.8f);
        glVertex2f(-0.9f, -0.8f);
        glEnd();
        quad(-0.5f, -0.5f, 0.5f, 0.5f);
    });
    EXPECT_EQ(afterBatch.at(64, 64), 0x00ff00u) << "the last colour of a primitive stays current";
    glColor3f(1.0f, 1.0f, 1.0f);
}

TEST(StateCall, PopAttribRestoresEnablesAndTheCurrentValues) {
    const Image popped = render([] {
        glColor3f(1.0f, 0.0f, 0.0f);
        glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
        glEnable(GL_DEPTH_TEST);
        glColor3f(0.0f, 1.0f, 0.0f);
        glPopAttrib();
        quad(-0.5f, -0.5f, 0.5f, 0.5f);
        // Behind the quad: with the depth test left on it would not show.
        glColor3f(0.0f, 0.0f, 1.0f);
        glBegin(GL_TRIANGLES);
        glVertex3f(-0.2f, -0.2f, -0.5f);
        glVertex3f(0.2f, -0.2f, -0.5f);
        glVertex3f(0.0f, 0.2f, -0.5f);
        glEnd();
    });
    EXPECT_EQ(popped.at(40, 64), 0xff0000u);
    EXPECT_EQ(popped.at(64, 60), 0x0000ffu);
    glColor3f(1.0f, 1.0f, 1.0f);
}

// A font without bitmaps compiles lists of 0 x 0 bitmaps that only move the raster position.
TEST(StateCall, EmptyBitmapsMoveTheRasterPosition) {
    GLfloat before[4], after[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, before);
    const GLuint advance = glGenLists(1);
    glNewList(advance, GL_COMPILE);
    glBitmap(0, 0, 0.0f, 0.0f, 7.0f, 0.0f, nullptr);
    glEndList();
    glBitmap(0, 0, 0.0f, 0.0f, 3.0f, 2.0f, nullptr);
    glCallList(advance);
    glCallList(advance);
    glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
    EXPECT_EQ(after[0] - before[0], 17.0f);
    EXPECT_EQ(after[1] - before[1], 2.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteLists(advance, 1);
}

}  // namespace
