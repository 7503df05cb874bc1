// GLU quadrics against their geometry: a disk covers its polygon's area and leaves its hole, its
// texture coordinates follow x and y, a cylinder seen from the side is its rectangle, each stack
// or loop is one strip, and a cone closes at the top.
#include <cmath>

#include "tests/web/gl/ShimTest.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// Area in pixels of a regular polygon with n corners on a circle of radius r (in pixels).
double polygonArea(int n, double r) { return 0.5 * n * r * r * std::sin(2.0 * pi / n); }

bool near(double value, double expected, double tolerance)
{
    return std::fabs(value - expected) <= tolerance * expected;
}

GLuint twoTexelTexture()
{
    // Left texel red, right texel green; nearest sampling makes the split sharp.
    const unsigned char texels[] = {255, 0, 0, 0, 255, 0};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, 2, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    return texture;
}

}  // namespace

void quadricTests()
{
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricNormals(quadric, GLU_SMOOTH);

    // Radius 0.5 is 32 pixels on the 128-pixel canvas.
    const Image disk = render([&] {
        glColor3f(1.0f, 1.0f, 1.0f);
        gluDisk(quadric, 0.0, 0.5, 32, 3);
    });
    keep("quadric-disk", disk);
    const double diskArea = polygonArea(32, 32.0);
    check(near(disk.litPixels(), diskArea, 0.02), "a disk covers its polygon",
          std::to_string(disk.litPixels()) + " pixels for " + std::to_string(diskArea));
    check(disk.at(64, 64) == 0xffffff && disk.at(64 + 29, 64) != 0 && disk.at(64 + 34, 64) == 0 &&
              disk.at(64, 64 - 34) == 0,
          "a disk is centred on the origin with its radius");

    const Image ring = render([&] {
        glColor3f(1.0f, 1.0f, 1.0f);
        gluDisk(quadric, 0.25, 0.5, 32, 2);
    });
    keep("quadric-ring", ring);
    const double ringArea = polygonArea(32, 32.0) - polygonArea(32, 16.0);
    check(near(ring.litPixels(), ringArea, 0.03) && ring.at(64, 64) == 0 && ring.at(64 + 24, 64) != 0,
          "a disk with an inner radius leaves its hole",
          std::to_string(ring.litPixels()) + " pixels for " + std::to_string(ringArea));

    const GLuint texture = twoTexelTexture();
    gluQuadricTexture(quadric, GL_TRUE);
    const Image textured = render([&] {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glColor3f(1.0f, 1.0f, 1.0f);
        gluDisk(quadric, 0.0, 0.5, 32, 1);
        glDisable(GL_TEXTURE_2D);
    });
    keep("quadric-disk-textured", textured);
    check(textured.at(64 - 10, 64) == 0xff0000 && textured.at(64 + 10, 64) == 0x00ff00 &&
              textured.at(64 - 20, 64 + 20) == 0xff0000 && textured.at(64 + 20, 64 - 20) == 0x00ff00,
          "disk texture coordinates run with x across the disk");

    // A cylinder lies along z: turned onto y and seen from the side it is a 64 x 64 rectangle
    // from y = 0 up, its silhouette through the corners at 90 and 270 degrees.
    const Image cylinder = render([&] {
        glColor3f(0.5f, 0.8f, 1.0f);
        glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
        gluCylinder(quadric, 0.5, 0.5, 0.9, 32, 4);
    });
    keep("quadric-cylinder", cylinder);
    const double rectangle = 64.0 * 0.9 * 64.0;
    check(near(cylinder.litPixels(), rectangle, 0.03) && cylinder.at(64 - 30, 66) != 0 &&
              cylinder.at(64 + 30, 120) != 0 && cylinder.at(64, 60) == 0 && cylinder.at(64 + 34, 80) == 0,
          "a cylinder seen from the side covers its rectangle",
          std::to_string(cylinder.litPixels()) + " pixels for " + std::to_string(rectangle));

    const Image cone = render([&] {
        glColor3f(1.0f, 0.5f, 0.0f);
        glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
        gluCylinder(quadric, 0.5, 0.0, 0.9, 32, 1);
    });
    keep("quadric-cone", cone);
    const double triangle = 0.5 * 64.0 * (0.9 * 64.0);
    check(near(cone.litPixels(), triangle, 0.04) && cone.at(64, 64 + 52) != 0 && cone.at(64 + 20, 64 + 50) == 0,
          "a cylinder with no top radius is a cone",
          std::to_string(cone.litPixels()) + " pixels for " + std::to_string(triangle));

    check(drawsDuring([&] { gluCylinder(quadric, 0.5, 0.5, 1.0, 16, 5); }) == 5,
          "a cylinder is one strip per stack");
    check(drawsDuring([&] { gluDisk(quadric, 0.0, 0.5, 16, 3); }) == 3 &&
              drawsDuring([&] { gluDisk(quadric, 0.1, 0.5, 16, 3); }) == 3,
          "a disk is one strip per loop, the middle one a fan when it has no hole");

    gluDeleteQuadric(quadric);
    glDeleteTextures(1, &texture);
}
