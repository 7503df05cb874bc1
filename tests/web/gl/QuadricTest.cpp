// GLU quadrics against their geometry: a disk covers its polygon's area and leaves its hole, its
// texture coordinates follow x and y, a cylinder seen from the side is its rectangle, each stack
// or loop is one strip, and a cone closes at the top.
#include <cmath>

#include "tests/web/gl/QuadricScenes.h"
#include "tests/web/gl/ShimTest.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// Area in pixels of a regular polygon with n corners on a circle of radius r (in pixels).
double polygonArea(int n, double r) {
    return 0.5 * n * r * r * std::sin(2.0 * pi / n);
}

bool near(double value, double expected, double tolerance) {
    return std::fabs(value - expected) <= tolerance * expected;
}

// Renders the shared scene of that name and keeps it for the comparison with the desktop's.
Image scene(const std::string& name, GLUquadric* quadric, GLuint texture) {
    for (const QuadricScene* s = quadricScenes; s->name; ++s) {
        if (name != s->name) continue;
        const Image image = render([&] { s->draw(quadric, texture); });
        keep(name, image);
        return image;
    }
    check(false, "no quadric scene " + name);
    return render([] {});
}

}  // namespace

void quadricTests() {
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricNormals(quadric, GLU_SMOOTH);
    const GLuint texture = makeTwoTexelTexture();

    // Radius 0.5 is 32 pixels on the 128-pixel canvas.
    const Image disk = scene("quadric-disk", quadric, texture);
    const double diskArea = polygonArea(32, 32.0);
    check(near(disk.litPixels(), diskArea, 0.02), "a disk covers its polygon",
          std::to_string(disk.litPixels()) + " pixels for " + std::to_string(diskArea));
    check(disk.at(64, 64) == 0xffffff && disk.at(64 + 29, 64) != 0 && disk.at(64 + 34, 64) == 0 &&
              disk.at(64, 64 - 34) == 0,
          "a disk is centred on the origin with its radius");

    const Image ring = scene("quadric-ring", quadric, texture);
    const double ringArea = polygonArea(32, 32.0) - polygonArea(32, 16.0);
    check(
        near(ring.litPixels(), ringArea, 0.03) && ring.at(64, 64) == 0 && ring.at(64 + 24, 64) != 0,
        "a disk with an inner radius leaves its hole",
        std::to_string(ring.litPixels()) + " pixels for " + std::to_string(ringArea));

    const Image textured = scene("quadric-disk-textured", quadric, texture);
    check(textured.at(64 - 10, 64) == 0xff0000 && textured.at(64 + 10, 64) == 0x00ff00 &&
              textured.at(64 - 20, 64 + 20) == 0xff0000 &&
              textured.at(64 + 20, 64 - 20) == 0x00ff00,
          "disk texture coordinates run with x across the disk");

    // A cylinder lies along z: turned onto y and seen from the side it is a 64 x 64 rectangle
    // from y = 0 up, its silhouette through the corners at 90 and 270 degrees.
    const Image cylinder = scene("quadric-cylinder", quadric, texture);
    const double rectangle = 64.0 * 0.9 * 64.0;
    check(near(cylinder.litPixels(), rectangle, 0.03) && cylinder.at(64 - 30, 66) != 0 &&
              cylinder.at(64 + 30, 120) != 0 && cylinder.at(64, 60) == 0 &&
              cylinder.at(64 + 34, 80) == 0,
          "a cylinder seen from the side covers its rectangle",
          std::to_string(cylinder.litPixels()) + " pixels for " + std::to_string(rectangle));

    const Image cone = scene("quadric-cone", quadric, texture);
    const double triangle = 0.5 * 64.0 * (0.9 * 64.0);
    check(near(cone.litPixels(), triangle, 0.04) && cone.at(64, 64 + 52) != 0 &&
              cone.at(64 + 20, 64 + 50) == 0,
          "a cylinder with no top radius is a cone",
          std::to_string(cone.litPixels()) + " pixels for " + std::to_string(triangle));

    // Compared with the desktop's picture by the driver.
    check(scene("quadric-tube-textured", quadric, texture).litPixels() > 1000,
          "the textured tube draws");

    check(drawsDuring([&] { gluCylinder(quadric, 0.5, 0.5, 1.0, 16, 5); }) == 5,
          "a cylinder is one strip per stack");
    check(drawsDuring([&] { gluDisk(quadric, 0.0, 0.5, 16, 3); }) == 3 &&
              drawsDuring([&] { gluDisk(quadric, 0.1, 0.5, 16, 3); }) == 3,
          "a disk is one strip per loop, the middle one a fan when it has no hole");

    gluDeleteQuadric(quadric);
    glDeleteTextures(1, &texture);
}
