// Display lists replay the pixels of the calls they hold: plain, compiled and executed at once,
// nested, through glListBase and glCallLists (with the base read at call time), and deleted. Their
// geometry lives in buffers of their own, a list's run of primitives is one draw, and what the
// list's vertices never gave comes from the current values when it plays.
#include <gtest/gtest.h>

#include "tests/web/ffgl/FfglTest.h"

namespace {

// A bit of everything a list may hold: colours inside and outside primitives, quads, quad
// strips, polygons, normals, transforms.
void shapes() {
    glColor3f(0.9f, 0.2f, 0.1f);
    glBegin(GL_TRIANGLES);
    glVertex3f(-0.9f, -0.9f, 0.0f);
    glVertex3f(-0.2f, -0.9f, 0.0f);
    glVertex3f(-0.55f, -0.2f, 0.0f);
    glEnd();
    glPushMatrix();
    glTranslatef(0.1f, 0.2f, 0.0f);
    glRotatef(20.0f, 0.0f, 0.0f, 1.0f);
    glBegin(GL_QUADS);
    glColor3f(0.2f, 0.8f, 0.3f);
    glVertex2f(0.0f, 0.0f);
    glColor3f(0.5f, 0.5f, 1.0f);
    glVertex2f(0.5f, 0.0f);
    glVertex2f(0.5f, 0.4f);
    glColor3f(0.7f, 0.1f, 0.6f);
    glVertex2f(0.0f, 0.4f);
    glEnd();
    glPopMatrix();
    glNormal3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= 4; ++i) {
        glColor3f(0.25f * i, 0.3f, 1.0f - 0.2f * i);
        glVertex3f(-0.9f + 0.2f * i, 0.3f, 0.0f);
        glVertex3f(-0.9f + 0.2f * i, 0.6f + 0.05f * i, 0.0f);
    }
    glEnd();
    glColor3f(1.0f, 1.0f, 0.0f);
    glBegin(GL_POLYGON);
    const GLfloat pentagon[5][3] = {
        {0.5f, -0.9f, 0}, {0.9f, -0.7f, 0}, {0.8f, -0.3f, 0}, {0.4f, -0.3f, 0}, {0.3f, -0.7f, 0}};
    for (const auto& p : pentagon) glVertex3fv(p);
    glEnd();
}

// A glyph-like list: a square in a colour, then a move to the next cell.
void cell(float r, float g, float b) {
    glColor3f(r, g, b);
    glBegin(GL_QUADS);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(0.3f, 0.0f);
    glVertex2f(0.3f, 0.3f);
    glVertex2f(0.0f, 0.3f);
    glEnd();
    glTranslatef(0.4f, 0.0f, 0.0f);
}

// An extruded glyph's shape: faces as a fan and a strip, sides as a quad strip, with normals and
// no colour, then the advance, as the countdown's lists hold it.
void glyph() {
    glBegin(GL_TRIANGLE_FAN);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glVertex3f(-0.5f, -0.5f, 0.0f);
    glVertex3f(0.0f, -0.6f, 0.0f);
    glVertex3f(0.2f, 0.0f, 0.0f);
    glVertex3f(-0.3f, 0.4f, 0.0f);
    glEnd();
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3f(0.3f, -0.5f, 0.0f);
    glVertex3f(0.6f, -0.5f, 0.0f);
    glVertex3f(0.3f, 0.5f, 0.0f);
    glVertex3f(0.6f, 0.5f, 0.0f);
    glEnd();
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= 3; ++i) {
        glNormal3f(0.0f, -1.0f, 0.0f);
        glVertex3f(-0.8f + 0.1f * i, -0.9f, 0.0f);
        glVertex3f(-0.8f + 0.1f * i, -0.7f, -0.2f);
    }
    glEnd();
    glTranslatef(0.5f, 0.0f, 0.0f);
}

GLuint compile(GLenum mode, const std::function<void()>& calls) {
    GLuint list = glGenLists(1);
    glNewList(list, mode);
    calls();
    glEndList();
    return list;
}

void startRow() {
    glTranslatef(-0.9f, -0.15f, 0.0f);
}

TEST(DisplayList, ReplaysThePixelsOfItsCalls) {
    const Image direct = render(shapes);
    keep("lists-direct", direct);
    ASSERT_GT(direct.litPixels(), 2000);

    GLuint list = 0;
    EXPECT_EQ(render([&] { list = compile(GL_COMPILE, shapes); }).litPixels(), 0)
        << "GL_COMPILE draws nothing while compiling";
    const Image played = render([&] { glCallList(list); });
    keep("lists-played", played);
    EXPECT_EQ(played.differingPixels(direct), 0);
    EXPECT_EQ(render([&] {
                  glCallList(list);
                  glCallList(list);
              }).differingPixels(direct),
              0)
        << "a list leaves the matrix stack as it found it";

    GLuint both = 0;
    EXPECT_EQ(
        render([&] { both = compile(GL_COMPILE_AND_EXECUTE, shapes); }).differingPixels(direct), 0)
        << "GL_COMPILE_AND_EXECUTE draws";
    EXPECT_EQ(render([&] { glCallList(both); }).differingPixels(direct), 0)
        << "GL_COMPILE_AND_EXECUTE keeps each call once";
    glDeleteLists(list, 1);
    glDeleteLists(both, 1);
}

TEST(DisplayList, NestedListsAreLookedUpWhenCalled) {
    const GLuint inner = compile(GL_COMPILE, shapes);
    const GLuint outer = compile(GL_COMPILE, [&] {
        glTranslatef(0.1f, 0.05f, 0.0f);
        glCallList(inner);
    });
    const Image nestedDirect = render([] {
        glTranslatef(0.1f, 0.05f, 0.0f);
        shapes();
    });
    const Image nested = render([&] { glCallList(outer); });
    EXPECT_EQ(nested.differingPixels(nestedDirect), 0);
    EXPECT_GT(nested.differingPixels(render(shapes)), 0);

    // Recompiling the inner list changes what the outer one draws.
    glNewList(inner, GL_COMPILE);
    cell(1.0f, 1.0f, 1.0f);
    glEndList();
    const Image renamedDirect = render([] {
        glTranslatef(0.1f, 0.05f, 0.0f);
        cell(1.0f, 1.0f, 1.0f);
    });
    EXPECT_EQ(render([&] { glCallList(outer); }).differingPixels(renamedDirect), 0);
    glDeleteLists(inner, 1);
    glDeleteLists(outer, 1);
}

TEST(DisplayList, CallListsAddsTheListBaseWhenPlayed) {
    const GLuint cells = glGenLists(3);
    const float colours[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int i = 0; i < 3; ++i) {
        glNewList(cells + i, GL_COMPILE);
        cell(colours[i][0], colours[i][1], colours[i][2]);
        glEndList();
    }
    const unsigned char text[] = {2, 0, 1, 1};
    const Image byNames = render([&] {
        startRow();
        for (unsigned char c : text) glCallList(cells + c);
    });
    keep("lists-callists", byNames);
    ASSERT_EQ(byNames.at(15, 64), 0x0000ffu);
    EXPECT_EQ(render([&] {
                  startRow();
                  glListBase(cells);
                  glCallLists(4, GL_UNSIGNED_BYTE, text);
                  glListBase(0);
              }).differingPixels(byNames),
              0);
    const unsigned short wide[] = {
        static_cast<unsigned short>(cells + 2), static_cast<unsigned short>(cells),
        static_cast<unsigned short>(cells + 1), static_cast<unsigned short>(cells + 1)};
    EXPECT_EQ(render([&] {
                  startRow();
                  glCallLists(4, GL_UNSIGNED_SHORT, wide);
              }).differingPixels(byNames),
              0)
        << "unsigned short names";
    EXPECT_EQ(render([&] {
                  startRow();
                  glListBase(cells);
                  glPushAttrib(GL_LIST_BIT);
                  glListBase(cells + 1);
                  glPopAttrib();
                  glCallLists(4, GL_UNSIGNED_BYTE, text);
                  glListBase(0);
              }).differingPixels(byNames),
              0)
        << "glPopAttrib brings the list base back";

    // A compiled glCallLists uses the base in force when the list runs.
    const unsigned char first[] = {0};
    const GLuint callsFirst = compile(GL_COMPILE, [&] { glCallLists(1, GL_UNSIGNED_BYTE, first); });
    const Image baseRed = render([&] {
        glListBase(cells);
        glCallList(callsFirst);
    });
    const Image baseGreen = render([&] {
        glListBase(cells + 1);
        glCallList(callsFirst);
    });
    glListBase(0);
    EXPECT_EQ(baseRed.at(70, 70), 0xff0000u);
    EXPECT_EQ(baseGreen.at(70, 70), 0x00ff00u);

    glDeleteLists(cells, 3);
    EXPECT_FALSE(glIsList(cells));
    EXPECT_EQ(render([&] { glCallList(cells); }).litPixels(), 0) << "a deleted list draws nothing";
    glDeleteLists(callsFirst, 1);
}

TEST(DisplayList, IsOneDrawFromItsOwnBuffer) {
    glColor3f(1.0f, 0.5f, 0.0f);
    const Image direct = render(glyph);
    const GLuint list = compile(GL_COMPILE, glyph);
    const WebglWork work = webglWorkDuring([&] { glCallList(list); });
    EXPECT_EQ(work.draws, 1u) << "the glyph's fan, strip and quad strip are one draw";
    EXPECT_EQ(work.uploadedBytes, 0u) << "its vertices were uploaded when it was compiled";
    EXPECT_EQ(render([&] { glCallList(list); }).differingPixels(direct), 0);
    glColor3f(1.0f, 1.0f, 1.0f);
    glDeleteLists(list, 1);
}

TEST(DisplayList, TakesTheCurrentValuesItsVerticesNeverGave) {
    const GLuint list = compile(GL_COMPILE, glyph);
    const Image red = render([&] {
        glColor3f(1.0f, 0.0f, 0.0f);
        glCallList(list);
    });
    const Image green = render([&] {
        glColor3f(0.0f, 1.0f, 0.0f);
        glCallList(list);
    });
    EXPECT_EQ(red.at(40, 50), 0xff0000u);
    EXPECT_EQ(green.at(40, 50), 0x00ff00u);
    // The current normal is the last one the list's vertices gave, and the colour is untouched.
    glColor3f(0.25f, 0.5f, 0.75f);
    glNormal3f(1.0f, 0.0f, 0.0f);
    render([&] { glCallList(list); });
    GLfloat normal[3], colour[4];
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(normal[1], -1.0f);
    EXPECT_EQ(colour[2], 0.75f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glDeleteLists(list, 1);
}

}  // namespace
