// The calls WebGL 1 refuses or lacks: GL 1.0 texture formats, hints, GL_CLAMP, border colours,
// colour material and materials; glBitmap at the raster position; colours inside and outside a
// batch giving the same pixels; glPushAttrib/glPopAttrib for enables and the current colour.
#include "tests/web/gl/ShimTest.h"

namespace {

void quad(float x0, float y0, float x1, float y1) {
    glBegin(GL_QUADS);
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
    glEnd();
}

// Rows bottom first, most significant bit leftmost: an L with a dot.
const GLubyte letter[8] = {0xfe, 0xfe, 0xc0, 0xc0, 0xc6, 0xc6, 0xc0, 0xc0};

bool bitSet(int column, int row) {
    return (letter[row] >> (7 - column)) & 1;
}

}  // namespace

void stateCallTests() {
    while (glGetError() != GL_NO_ERROR) {
    }
    const unsigned char blue[] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255};
    const GLfloat border[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, blue);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT);
    glColorMaterial(GL_FRONT, GL_EMISSION);
    glDisable(GL_COLOR_MATERIAL);
    glMaterialf(GL_FRONT, GL_SHININESS, 20.0f);
    const GLenum error = glGetError();
    check(error == GL_NO_ERROR,
          "texture format 3, hints, GL_CLAMP, border colours and materials raise no GL error",
          std::to_string(error));

    const Image textured = render([&] {
        glEnable(GL_TEXTURE_2D);
        glColor3f(1.0f, 1.0f, 1.0f);
        glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 0.0f);
        glVertex2f(-0.5f, -0.5f);
        glTexCoord2f(1.0f, 0.0f);
        glVertex2f(0.5f, -0.5f);
        glTexCoord2f(1.0f, 1.0f);
        glVertex2f(0.5f, 0.5f);
        glTexCoord2f(0.0f, 1.0f);
        glVertex2f(-0.5f, 0.5f);
        glEnd();
        glDisable(GL_TEXTURE_2D);
    });
    check(textured.at(64, 64) == 0x0000ff && textured.at(10, 10) == 0, "a format-3 texture draws");
    glDeleteTextures(1, &texture);

    // GL rounds c * 255; the emulation truncates colours given inside a batch. These three are
    // where the two differ, and well away from a half (where WebGL's own precision decides).
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
    check(outside.at(64, 64) == 0x61ab36 && inside.at(64, 64) == outside.at(64, 64),
          "a colour inside a batch gives the pixels of the same colour outside it",
          std::to_string(outside.at(64, 64)) + " / " + std::to_string(inside.at(64, 64)));
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
    check(afterBatch.at(64, 64) == 0x00ff00, "the last colour of a batch stays current");

    // Window coordinates: an orthographic view over the pixels.
    auto pixelView = [] {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, canvasSize, 0.0, canvasSize, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    };
    const GLuint glyph = glGenLists(1);
    glNewList(glyph, GL_COMPILE);
    glBitmap(8, 8, 0.0f, 0.0f, 10.0f, 0.0f, letter);
    glEndList();
    const Image bitmaps = render([&] {
        pixelView();
        glColor3f(1.0f, 1.0f, 0.0f);
        glRasterPos2i(20, 30);
        glBitmap(8, 8, 0.0f, 0.0f, 10.0f, 0.0f, letter);
        glCallList(glyph);
        glColor3f(1.0f, 1.0f, 1.0f);
    });
    keep("bitmaps", bitmaps);
    bool exact = true;
    for (int copy = 0; copy < 2; ++copy)
        for (int row = 0; row < 8; ++row)
            for (int column = 0; column < 8; ++column) {
                const std::uint32_t pixel = bitmaps.at(20 + 10 * copy + column, 30 + row);
                exact = exact && (pixel == (bitSet(column, row) ? 0xffff00u : 0u));
            }
    check(exact && bitmaps.litPixels() == 2 * 30,
          "glBitmap sets its bits at the raster position and moves it on",
          std::to_string(bitmaps.litPixels()) + " lit pixels");

    // Enables and the current colour come back from the attribute stack.
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
    check(popped.at(40, 64) == 0xff0000 && popped.at(64, 60) == 0x0000ff,
          "glPopAttrib restores enables and the current colour");
}
