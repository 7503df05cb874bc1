// One picture of the effects for a person to look at: the five countdown digits, the flag on its
// pole and two particle clouds, rendered offscreen and saved as effects_scene.png in the build
// folder. The test checks that each part left ink where it was drawn.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "effects/Flag.h"
#include "effects/OutlineText.h"
#include "effects/ParticleSystem.h"
#include "platform/GL.h"
#include "tests/effects/TestBitmaps.h"
#include "tests/support/OffscreenGL.h"

namespace {

constexpr unsigned char background[3] = {13, 13, 38};

void view() {
    glLoadIdentity();
    gluLookAt(0, 0, 10, 0, 0, 0, 0, 1, 0);
}

// Pixels in a screen rectangle (top-left origin) that differ from the background.
int inkIn(const std::vector<unsigned char>& rgb, int x0, int y0, int x1, int y1) {
    int ink = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const unsigned char* p = &rgb[(static_cast<std::size_t>(y) * 640 + x) * 3];
            ink +=
                (p[0] != background[0] || p[1] != background[1] || p[2] != background[2]) ? 1 : 0;
        }
    return ink;
}

TEST(EffectsPicture, CountdownFlagAndParticlesAreSavedForInspection) {
    testing_support::OffscreenGL gl;
    ASSERT_TRUE(gl.ready()) << gl.error();
    platform::DeviceContext dc = gl.deviceContext();
    const std::string cloth = effects_test::writeClothBitmap(),
                      pole = effects_test::writePoleBitmap();

    glClearColor(background[0] / 255.0f, background[1] / 255.0f, background[2] / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 640.0 / 480.0, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    glPointSize(2.0f);

    // The countdown along the top, red and yellow in turn, each turned a little further.
    OutlineText red("Courier New", &dc, 12);
    red.scale = Point3{1.2f, 1.2f, 1.2f};
    red.spin.y = 12.0f;
    red.rotation = Point3{10.0f, -24.0f, 0.0f};
    red.colour = TextColour{1.0f, 0.0f, 0.0f};
    OutlineText yellow(red);
    yellow.colour = TextColour{1.0f, 1.0f, 0.0f};
    for (int digit = 5; digit >= 1; --digit) {
        OutlineText& text = (digit % 2 == 1) ? red : yellow;
        view();
        text.position = Point3{(5 - digit) * 1.6f - 3.2f, 2.2f, 0.0f};
        text.print("%d", digit);
        text.rotation.y += text.spin.y;  // keep the two alternating objects turning together
    }

    // The flag, lower left, its pole standing up and the cloth turned towards the camera; white
    // so the textures show their own colours.
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    Flag flag(cloth.c_str(), pole.c_str());
    flag.waveSpeed = 5;
    flag.position = Point3{-2.9f, -2.7f, 2.0f};
    flag.rotation = Point3{-90.0f, 0.0f, -30.0f};
    for (int frame = 0; frame < 12; ++frame) {
        view();
        flag.draw();
    }
    std::remove(cloth.c_str());
    std::remove(pole.c_str());

    // A rocket flame rising on the right, and a yellow trail beside it.
    glDisable(GL_TEXTURE_2D);
    ParticleSystem flame(5000, Point3{2.2f, -3.0f, 0.0f}, Point3{0.0f, 0.04f, 0.0f},
                         Point3{0.0f, 0.0f, 0.0f}, 0.08f, 0.5f,
                         ParticleColour{0.9f, 0.2f, 0.1f, {0, 0}});
    flame.setGrowth(100, 50);
    ParticleSystem trail(500, Point3{3.6f, -3.0f, 0.0f}, Point3{0.0f, 0.06f, 0.0f},
                         Point3{0.0f, 0.0f, 0.0f}, 0.035f, 0.3f,
                         ParticleColour{1.0f, 1.0f, 0.0f, {0, 0}});
    for (int frame = 0; frame < 60; ++frame) {
        // Only the last frame's points stay: clear the strip the clouds are drawn in, no more.
        glEnable(GL_SCISSOR_TEST);
        glScissor(400, 0, 240, 300);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        view();
        flame.step();
        trail.step();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    std::vector<unsigned char> pixels = gl.readPixels();
    const std::string png = std::string(ORBEK_BUILD_DIR) + "/effects_scene.png";
    ASSERT_TRUE(savePng(png, 640, 480, pixels)) << png;
    std::printf("picture saved: %s\n", png.c_str());

    EXPECT_GT(inkIn(pixels, 40, 20, 600, 170), 4000) << "the countdown digits";
    EXPECT_GT(inkIn(pixels, 0, 170, 330, 480), 4000) << "the flag and its pole";
    EXPECT_GT(inkIn(pixels, 400, 180, 640, 480), 500) << "the particle clouds";
}

}  // namespace
