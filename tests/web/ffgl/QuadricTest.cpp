// GLU quadrics against their geometry: a disk covers its polygon's area and leaves its hole, its
// texture coordinates follow x and y, a cylinder seen from the side is its rectangle, a cone
// closes at the top. Each shape is generated once: drawn again it is one draw from its own
// buffer, uploading nothing, and it leaves the current normal and texture coordinates as GLU does.
#include <cmath>

#include <gtest/gtest.h>

#include "tests/web/ffgl/FfglTest.h"
#include "tests/web/ffgl/ReferenceScenes.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// Area in pixels of a regular polygon with n corners on a circle of radius r (in pixels).
double polygonArea(int n, double r) {
    return 0.5 * n * r * r * std::sin(2.0 * pi / n);
}

class Quadric : public testing::Test {
protected:
    void SetUp() override {
        quadric = gluNewQuadric();
        gluQuadricNormals(quadric, GLU_SMOOTH);
        textures = makeSceneTextures();
    }
    void TearDown() override {
        gluDeleteQuadric(quadric);
        const GLuint names[] = {textures.twoTexels, textures.alphaGrid};
        glDeleteTextures(2, names);
    }
    // Renders the shared scene of that name.
    Image scene(const std::string& name) {
        for (const ReferenceScene* s = referenceScenes; s->name; ++s)
            if (name == s->name) return render([&] { s->draw(quadric, textures); });
        ADD_FAILURE() << "no scene " << name;
        return render([] {});
    }
    GLUquadric* quadric = nullptr;
    SceneTextures textures{};
};

// Radius 0.5 is 32 pixels on the 128-pixel canvas.
TEST_F(Quadric, DiskCoversItsPolygonAroundTheOrigin) {
    const Image disk = scene("quadric-disk");
    EXPECT_NEAR(disk.litPixels(), polygonArea(32, 32.0), 0.02 * polygonArea(32, 32.0));
    EXPECT_EQ(disk.at(64, 64), 0xffffffu);
    EXPECT_NE(disk.at(64 + 29, 64), 0u);
    EXPECT_EQ(disk.at(64 + 34, 64), 0u);
    EXPECT_EQ(disk.at(64, 64 - 34), 0u);
}

TEST_F(Quadric, DiskWithAnInnerRadiusLeavesItsHole) {
    const Image ring = scene("quadric-ring");
    const double area = polygonArea(32, 32.0) - polygonArea(32, 16.0);
    EXPECT_NEAR(ring.litPixels(), area, 0.03 * area);
    EXPECT_EQ(ring.at(64, 64), 0u);
    EXPECT_NE(ring.at(64 + 24, 64), 0u);
}

TEST_F(Quadric, DiskTextureCoordinatesRunWithXAcross) {
    const Image textured = scene("quadric-disk-textured");
    EXPECT_EQ(textured.at(64 - 10, 64), 0xff0000u);
    EXPECT_EQ(textured.at(64 + 10, 64), 0x00ff00u);
    EXPECT_EQ(textured.at(64 - 20, 64 + 20), 0xff0000u);
    EXPECT_EQ(textured.at(64 + 20, 64 - 20), 0x00ff00u);
}

// A cylinder lies along z: turned onto y and seen from the side it is a 64 x 58 rectangle from
// y = 0 up, and a cone with no top radius its triangle.
TEST_F(Quadric, CylinderAndConeSeenFromTheSide) {
    const Image cylinder = scene("quadric-cylinder");
    const double rectangle = 64.0 * 0.9 * 64.0;
    EXPECT_NEAR(cylinder.litPixels(), rectangle, 0.03 * rectangle);
    EXPECT_NE(cylinder.at(64 - 30, 66), 0u);
    EXPECT_NE(cylinder.at(64 + 30, 120), 0u);
    EXPECT_EQ(cylinder.at(64, 60), 0u);
    EXPECT_EQ(cylinder.at(64 + 34, 80), 0u);

    const Image cone = scene("quadric-cone");
    const double triangle = 0.5 * 64.0 * (0.9 * 64.0);
    EXPECT_NEAR(cone.litPixels(), triangle, 0.04 * triangle);
    EXPECT_NE(cone.at(64, 64 + 52), 0u);
    EXPECT_EQ(cone.at(64 + 20, 64 + 50), 0u);
}

TEST_F(Quadric, IsGeneratedOnceAndDrawnFromItsOwnBuffer) {
    gluQuadricTexture(quadric, GL_TRUE);
    const Image first = render([&] { gluCylinder(quadric, 0.5, 0.3, 0.8, 16, 16); });
    render([&] { gluDisk(quadric, 0.0, 0.5, 16, 16); });
    const WebglWork cylinder =
        webglWorkDuring([&] { gluCylinder(quadric, 0.5, 0.3, 0.8, 16, 16); });
    const WebglWork disk = webglWorkDuring([&] { gluDisk(quadric, 0.0, 0.5, 16, 16); });
    EXPECT_EQ(cylinder.draws, 1u) << "16 quad strips in one draw";
    EXPECT_EQ(disk.draws, 1u) << "a fan and 15 quad strips in one draw";
    EXPECT_EQ(cylinder.uploadedBytes + disk.uploadedBytes, 0u);
    EXPECT_EQ(render([&] { gluCylinder(quadric, 0.5, 0.3, 0.8, 16, 16); }).differingPixels(first),
              0);
    // Another shape is another list.
    EXPECT_GT(render([&] { gluCylinder(quadric, 0.5, 0.3, 0.8, 17, 16); }).differingPixels(first),
              0);
    gluQuadricTexture(quadric, GL_FALSE);
}

TEST_F(Quadric, LeavesTheNormalAndTextureCoordinatesOfItsLastVertex) {
    gluQuadricTexture(quadric, GL_TRUE);
    for (int drawn = 0; drawn < 2; ++drawn) {  // generated, then played from its list
        glNormal3f(1.0f, 2.0f, 3.0f);
        glTexCoord2f(5.0f, 6.0f);
        render([&] { gluCylinder(quadric, 0.5, 0.5, 1.0, 8, 2); });
        GLfloat normal[3], texCoord[4];
        glGetFloatv(GL_CURRENT_NORMAL, normal);
        glGetFloatv(GL_CURRENT_TEXTURE_COORDS, texCoord);
        // The last column is the first again: angle 0, pointing along +y; s runs down to 0.
        EXPECT_NEAR(normal[0], 0.0f, 1e-6f);
        EXPECT_NEAR(normal[1], 1.0f, 1e-6f);
        EXPECT_EQ(normal[2], 0.0f);
        EXPECT_EQ(texCoord[0], 0.0f);
        EXPECT_EQ(texCoord[1], 1.0f);
    }
    gluQuadricTexture(quadric, GL_FALSE);
}

}  // namespace
