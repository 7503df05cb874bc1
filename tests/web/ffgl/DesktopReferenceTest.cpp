// Every reference scene against the desktop's picture of it (Mesa's GL and GLU): quadrics, the
// primitives smooth and flat, lighting, colour material, the texture environments, blending,
// culling, depth and points. Two rasterisers may light different pixels along an edge, never
// across an area: at most 1 % of the pixels may differ by more than 3 in a channel.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "tests/web/ffgl/FfglTest.h"
#include "tests/web/ffgl/ReferenceScenes.h"

namespace {

constexpr int channelTolerance = 3;
constexpr double largestDifferingShare = 0.01;

class DesktopReference : public testing::TestWithParam<const ReferenceScene*> {
protected:
    static void SetUpTestSuite() {
        quadric = gluNewQuadric();
        gluQuadricNormals(quadric, GLU_SMOOTH);
        textures = makeSceneTextures();
    }
    static void TearDownTestSuite() {
        gluDeleteQuadric(quadric);
        const GLuint names[] = {textures.twoTexels, textures.alphaGrid};
        glDeleteTextures(2, names);
    }
    static GLUquadric* quadric;
    static SceneTextures textures;
};

GLUquadric* DesktopReference::quadric = nullptr;
SceneTextures DesktopReference::textures{};

std::vector<const ReferenceScene*> allScenes() {
    std::vector<const ReferenceScene*> scenes;
    for (const ReferenceScene* s = referenceScenes; s->name; ++s) scenes.push_back(s);
    return scenes;
}

// Pixels (of the picture, rows top first) where some channel differs by more than the tolerance.
int differingPixels(const Image& image, const std::vector<std::uint8_t>& desktop) {
    int differing = 0;
    for (int y = 0; y < canvasSize; ++y)
        for (int x = 0; x < canvasSize; ++x) {
            const std::uint32_t pixel = image.at(x, canvasSize - 1 - y);
            const std::uint8_t* d = &desktop[static_cast<size_t>((y * canvasSize + x) * 4)];
            const int ours[3] = {static_cast<int>(pixel >> 16),
                                 static_cast<int>((pixel >> 8) & 255),
                                 static_cast<int>(pixel & 255)};
            for (int c = 0; c < 3; ++c)
                if (std::abs(ours[c] - d[c]) > channelTolerance) {
                    ++differing;
                    break;
                }
        }
    return differing;
}

TEST_P(DesktopReference, DrawsTheDesktopsPicture) {
    const ReferenceScene& scene = *GetParam();
    const Image image = render([&] { scene.draw(quadric, textures); });
    keep(scene.name, image);
    const std::vector<std::uint8_t> desktop = desktopPicture(scene.name);
    ASSERT_EQ(desktop.size(), image.rgba.size()) << "no desktop picture of " << scene.name;
    EXPECT_GT(image.litPixels(), 150) << "the scene draws something";
    const double share = differingPixels(image, desktop) / double(canvasSize * canvasSize);
    EXPECT_LE(share, largestDifferingShare) << 100.0 * share << " % of the pixels differ";
    EXPECT_EQ(glGetError(), GL_NO_ERROR);
}

INSTANTIATE_TEST_SUITE_P(Scenes, DesktopReference, testing::ValuesIn(allScenes()),
                         [](const testing::TestParamInfo<const ReferenceScene*>& info) {
                             std::string name;
                             for (const char* c = info.param->name; *c; ++c)
                                 if (*c != '-') name += *c;
                             return name;
                         });

}  // namespace
