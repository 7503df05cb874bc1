// Display lists replay the pixels of the calls they hold: plain, compiled and executed at once,
// nested, through glListBase and glCallLists (with the base read at call time), and deleted.
#include "tests/web/gl/ShimTest.h"

namespace {

// A bit of everything a list may hold: colours inside and outside batches, double-precision
// vertices, quads, quad strips, polygons, normals, transforms.
void shapes() {
    glColor3f(0.9f, 0.2f, 0.1f);
    glBegin(GL_TRIANGLES);
    glVertex3f(-0.9f, -0.9f, 0.0f);
    glVertex3f(-0.2f, -0.9f, 0.0f);
    glVertex3d(-0.55, -0.2, 0.0);
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
    glNormal3d(0.0, 0.0, 1.0);
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= 4; ++i) {
        glColor3f(0.25f * i, 0.3f, 1.0f - 0.2f * i);
        glVertex3f(-0.9f + 0.2f * i, 0.3f, 0.0f);
        glVertex3f(-0.9f + 0.2f * i, 0.6f + 0.05f * i, 0.0f);
    }
    glEnd();
    glColor3f(1.0f, 1.0f, 0.0f);
    glBegin(GL_POLYGON);
    const double pentagon[5][3] = {
        {0.5, -0.9, 0}, {0.9, -0.7, 0}, {0.8, -0.3, 0}, {0.4, -0.3, 0}, {0.3, -0.7, 0}};
    for (const auto& p : pentagon) glVertex3dv(p);
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

}  // namespace

void displayListTests() {
    const Image direct = render(shapes);
    keep("lists-direct", direct);
    check(direct.litPixels() > 2000, "the list scene draws something",
          std::to_string(direct.litPixels()) + " lit pixels");

    GLuint list = 0;
    const Image whileCompiling = render([&] { list = compile(GL_COMPILE, shapes); });
    check(whileCompiling.litPixels() == 0, "GL_COMPILE draws nothing while compiling");
    const Image played = render([&] { glCallList(list); });
    keep("lists-played", played);
    check(played.differingPixels(direct) == 0, "a list replays the pixels of the direct calls",
          std::to_string(played.differingPixels(direct)) + " pixels differ");
    const Image twice = render([&] {
        glCallList(list);
        glCallList(list);
    });
    check(twice.differingPixels(direct) == 0, "a list leaves the matrix stack as it found it");

    GLuint both = 0;
    const Image compiledAndRun = render([&] { both = compile(GL_COMPILE_AND_EXECUTE, shapes); });
    check(compiledAndRun.differingPixels(direct) == 0,
          "GL_COMPILE_AND_EXECUTE draws while compiling");
    check(render([&] { glCallList(both); }).differingPixels(direct) == 0,
          "GL_COMPILE_AND_EXECUTE keeps each call once");

    // Nesting: an outer list moving and calling the first one.
    GLuint outer = compile(GL_COMPILE, [&] {
        glTranslatef(0.1f, 0.05f, 0.0f);
        glCallList(list);
    });
    const Image nestedDirect = render([] {
        glTranslatef(0.1f, 0.05f, 0.0f);
        shapes();
    });
    const Image nested = render([&] { glCallList(outer); });
    check(nested.differingPixels(nestedDirect) == 0 && nested.differingPixels(direct) > 0,
          "a list calling a list draws the inner one where the outer one left the matrix");
    // Recompiling the inner list changes what the outer one draws: lists are called by name.
    glNewList(list, GL_COMPILE);
    cell(1.0f, 1.0f, 1.0f);
    glEndList();
    const Image renamed = render([&] { glCallList(outer); });
    const Image renamedDirect = render([] {
        glTranslatef(0.1f, 0.05f, 0.0f);
        cell(1.0f, 1.0f, 1.0f);
    });
    check(renamed.differingPixels(renamedDirect) == 0, "a nested list is looked up when called");

    // Glyph-like cells through a list base.
    const GLuint cells = glGenLists(3);
    glNewList(cells + 0, GL_COMPILE);
    cell(1.0f, 0.0f, 0.0f);
    glEndList();
    glNewList(cells + 1, GL_COMPILE);
    cell(0.0f, 1.0f, 0.0f);
    glEndList();
    glNewList(cells + 2, GL_COMPILE);
    cell(0.0f, 0.0f, 1.0f);
    glEndList();
    const unsigned char text[] = {2, 0, 1, 1};
    const Image byNames = render([&] {
        startRow();
        for (unsigned char c : text) glCallList(cells + c);
    });
    keep("lists-callists", byNames);
    const Image byBase = render([&] {
        startRow();
        glListBase(cells);
        glCallLists(4, GL_UNSIGNED_BYTE, text);
        glListBase(0);
    });
    check(byBase.differingPixels(byNames) == 0 && byNames.at(15, 64) == 0x0000ff,
          "glCallLists adds the list base to each offset");
    const unsigned short wide[] = {
        static_cast<unsigned short>(cells + 2), static_cast<unsigned short>(cells),
        static_cast<unsigned short>(cells + 1), static_cast<unsigned short>(cells + 1)};
    check(render([&] {
              startRow();
              glCallLists(4, GL_UNSIGNED_SHORT, wide);
          }).differingPixels(byNames) == 0,
          "glCallLists reads unsigned short names");

    const Image pushed = render([&] {
        startRow();
        glListBase(cells);
        glPushAttrib(GL_LIST_BIT);
        glListBase(cells + 1);
        glPopAttrib();
        glCallLists(4, GL_UNSIGNED_BYTE, text);
        glListBase(0);
    });
    check(pushed.differingPixels(byNames) == 0, "glPopAttrib brings the list base back");

    // A compiled glCallLists uses the base in force when the list runs.
    const unsigned char first[] = {0};
    GLuint callsFirst = compile(GL_COMPILE, [&] { glCallLists(1, GL_UNSIGNED_BYTE, first); });
    const Image baseRed = render([&] {
        glListBase(cells);
        glCallList(callsFirst);
    });
    const Image baseGreen = render([&] {
        glListBase(cells + 1);
        glCallList(callsFirst);
    });
    glListBase(0);
    check(baseRed.at(70, 70) == 0xff0000 && baseGreen.at(70, 70) == 0x00ff00,
          "a compiled glCallLists reads the list base when played",
          std::to_string(baseRed.at(70, 70)) + " / " + std::to_string(baseGreen.at(70, 70)));

    glDeleteLists(cells, 3);
    check(!glIsList(cells) && render([&] { glCallList(cells); }).litPixels() == 0,
          "a deleted list is gone and calling it draws nothing");
    glDeleteLists(list, 1);
    glDeleteLists(both, 1);
    glDeleteLists(outer, 1);
    glDeleteLists(callsFirst, 1);
}
