// gluLookAt and gluPerspective: the target lands in the middle with the side and up directions
// where they belong, the look-at multiplies what is on the stack, and a perspective's field of
// view meets the viewport's edges.
#include <cmath>

#include "tests/web/gl/ShimTest.h"

namespace {

void point(float x, float y, float z, float r, float g, float b) {
    glBegin(GL_POINTS);
    glColor3f(r, g, b);
    glVertex3f(x, y, z);
    glEnd();
}

void perspectiveView() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 1.0, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Where a colour is, as the mean of its pixels; false when it is not on the canvas.
bool find(const Image& image, std::uint32_t colour, double& x, double& y) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int j = 0; j < canvasSize; ++j)
        for (int i = 0; i < canvasSize; ++i)
            if (image.at(i, j) == colour) {
                sx += i;
                sy += j;
                ++n;
            }
    if (n == 0) return false;
    x = sx / n;
    y = sy / n;
    return true;
}

}  // namespace

void viewMatrixTests() {
    glPointSize(4.0f);
    // Eye above and to the side of the target; the program's own camera uses -z as up.
    const Image look = render([] {
        perspectiveView();
        gluLookAt(3.0, 4.0, 5.0, 1.0, 1.0, 1.0, 0.0, 0.0, -1.0);
        point(1.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f);
        // The side vector is forward x up, forward (-2, -3, -4) and up (0, 0, -1): (3, -2, 0).
        point(1.0f + 0.3f * 3.0f / std::sqrt(13.0f), 1.0f - 0.3f * 2.0f / std::sqrt(13.0f), 1.0f,
              0.0f, 1.0f, 0.0f);
        // Up on the screen is -z where it is not along the view.
        point(1.0f, 1.0f, 0.7f, 0.0f, 0.0f, 1.0f);
    });
    keep("lookat", look);
    double rx = 0, ry = 0, gx = 0, gy = 0, bx = 0, by = 0;
    const bool red = find(look, 0xff0000, rx, ry);
    const bool green = find(look, 0x00ff00, gx, gy);
    const bool blue = find(look, 0x0000ff, bx, by);
    check(red && std::fabs(rx - 63.5) < 1.0 && std::fabs(ry - 63.5) < 1.0,
          "gluLookAt puts the target in the middle",
          red ? std::to_string(rx) + ", " + std::to_string(ry) : "not on the canvas");
    check(green && gx > rx + 5.0 && std::fabs(gy - ry) < 1.0,
          "gluLookAt's side direction is to the right");
    check(blue && by > ry + 5.0, "gluLookAt's up direction is up on the screen");

    // Orthographic, so a shift in eye space is a shift in pixels: 0.5 is 32 pixels.
    const Image shifted = render([] {
        glTranslatef(0.5f, 0.0f, 0.0f);
        gluLookAt(0.0, 0.0, 0.5, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
        point(0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    });
    double sx = 0, sy = 0;
    check(
        find(shifted, 0xff0000, sx, sy) && std::fabs(sx - 95.5) < 1.0 && std::fabs(sy - 63.5) < 1.0,
        "gluLookAt multiplies the matrix already there");
    glPointSize(1.0f);

    // 90 degrees at distance 2: the edges of the view are 2 from the middle.
    auto square = [](float half) {
        return render([half] {
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            gluPerspective(90.0, 1.0, 0.5, 10.0);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            glColor3f(1.0f, 1.0f, 1.0f);
            glBegin(GL_QUADS);
            glVertex3f(-half, -half, -2.0f);
            glVertex3f(half, -half, -2.0f);
            glVertex3f(half, half, -2.0f);
            glVertex3f(-half, half, -2.0f);
            glEnd();
        });
    };
    const Image full = square(2.0f);
    const Image smaller = square(1.875f);  // 4 pixels short of each edge
    check(full.litPixels() == canvasSize * canvasSize && smaller.at(1, 64) == 0 &&
              smaller.at(5, 64) != 0 && smaller.at(64, 126) == 0,
          "gluPerspective's field of view meets the viewport's edges");
}
