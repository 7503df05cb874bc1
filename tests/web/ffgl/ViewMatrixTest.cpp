// gluLookAt and gluPerspective: the target lands in the middle with the side and up directions
// where they belong, the look-at multiplies what is on the stack, and a perspective's field of
// view meets the viewport's edges.
#include <cmath>

#include <gtest/gtest.h>

#include "tests/web/ffgl/FfglTest.h"

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

TEST(ViewMatrix, LookAtPutsTheTargetInTheMiddleWithSideAndUpInPlace) {
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
    glPointSize(1.0f);
    keep("lookat", look);
    double rx = 0, ry = 0, gx = 0, gy = 0, bx = 0, by = 0;
    ASSERT_TRUE(find(look, 0xff0000, rx, ry));
    ASSERT_TRUE(find(look, 0x00ff00, gx, gy));
    ASSERT_TRUE(find(look, 0x0000ff, bx, by));
    EXPECT_NEAR(rx, 63.5, 1.0);
    EXPECT_NEAR(ry, 63.5, 1.0);
    EXPECT_GT(gx, rx + 5.0);
    EXPECT_NEAR(gy, ry, 1.0);
    EXPECT_GT(by, ry + 5.0);
}

TEST(ViewMatrix, LookAtMultipliesTheMatrixAlreadyThere) {
    glPointSize(4.0f);
    // Orthographic, so a shift in eye space is a shift in pixels: 0.5 is 32 pixels.
    const Image shifted = render([] {
        glTranslatef(0.5f, 0.0f, 0.0f);
        gluLookAt(0.0, 0.0, 0.5, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
        point(0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    });
    glPointSize(1.0f);
    double x = 0, y = 0;
    ASSERT_TRUE(find(shifted, 0xff0000, x, y));
    EXPECT_NEAR(x, 95.5, 1.0);
    EXPECT_NEAR(y, 63.5, 1.0);
}

TEST(ViewMatrix, PerspectiveFieldOfViewMeetsTheViewportsEdges) {
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
    EXPECT_EQ(square(2.0f).litPixels(), canvasSize * canvasSize);
    const Image smaller = square(1.875f);  // 4 pixels short of each edge
    EXPECT_EQ(smaller.at(1, 64), 0u);
    EXPECT_NE(smaller.at(5, 64), 0u);
    EXPECT_EQ(smaller.at(64, 126), 0u);
}

}  // namespace
