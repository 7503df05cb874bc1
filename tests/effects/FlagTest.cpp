// The waving flag: the wave's shape (with its own value of pi), the fixed column at the pole, the
// one-draw lag of the depths, two identical first frames, and the frame a draw leaves behind.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "effects/Flag.h"
#include "platform/GL.h"
#include "tests/effects/TestBitmaps.h"
#include "tests/support/OffscreenGL.h"

namespace {

TEST(FlagWave, GrowsFromThePoleAndUsesItsOwnPi) {
    for (double phase : {0.0, 5.0, 123.0, 7200.0}) EXPECT_EQ(Flag::wave(0, phase), 0.0f);
    // Half a turn at column 10 is not quite zero: 3.141516 falls short of pi.
    EXPECT_GT(Flag::wave(10, 0.0), 3.8e-6f);
    // Twenty columns make one full wave, and the amplitude grows with the column.
    EXPECT_NEAR(Flag::wave(25, 0.0) / 25.0, Flag::wave(5, 0.0) / 5.0, 1e-6);
    // Eighteen degrees on, the free edge is at its crest: the full amplitude of 0.22.
    EXPECT_NEAR(Flag::wave(44, 18.0), 0.22f, 1e-7f);
}

class FlagTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ready()) << gl.error();
        clothPath = effects_test::writeClothBitmap();
        polePath = effects_test::writePoleBitmap();
    }
    void TearDown() override {
        std::remove(clothPath.c_str());
        std::remove(polePath.c_str());
    }

    std::vector<unsigned char> drawFrame(Flag& flag) {
        glClearColor(0.1f, 0.1f, 0.2f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, 640.0 / 480.0, 0.1, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(0, 1.2, 5, 0, 1.2, 0, 0, 1, 0);
        glRotatef(-90.0f, 1, 0, 0);  // the pole's Z axis up the screen
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        flag.draw();
        return gl.readPixels();
    }

    testing_support::OffscreenGL gl;
    std::string clothPath, polePath;
};

TEST_F(FlagTest, EachDrawShowsThePhaseOfThePreviousOneAndColumnZeroNeverMoves) {
    Flag flag(clothPath.c_str(), polePath.c_str());
    EXPECT_NE(flag.clothTexture->id, 0u);
    EXPECT_NE(flag.poleTexture->id, 0u);
    EXPECT_EQ(flag.grid[44][0].x, 44.0f / 45.0f);
    EXPECT_EQ(flag.grid[0][44].y, 44.0f / 45.0f);
    flag.waveSpeed = 5;
    std::vector<unsigned char> first = drawFrame(flag);
    EXPECT_EQ(flag.phase, 5.0);
    EXPECT_EQ(flag.grid[7][13].z, Flag::wave(13, 0.0));
    std::vector<unsigned char> second = drawFrame(flag);
    EXPECT_EQ(flag.grid[7][13].z, Flag::wave(13, 5.0));
    std::vector<unsigned char> third = drawFrame(flag);
    EXPECT_EQ(flag.phase, 15.0);

    EXPECT_GT(testing_support::countPixelsNot(first, 25, 25, 51), 2000);
    EXPECT_TRUE(first == second) << "the first two draws show the same cloth";
    EXPECT_FALSE(second == third) << "the third draw shows the wave moved on";

    for (int frame = 3; frame < 40; ++frame) {
        drawFrame(flag);
        for (int i = 0; i < Flag::gridSize; ++i) ASSERT_EQ(flag.grid[i][0].z, 0.0f);
    }
    EXPECT_EQ(flag.phase, 200.0);
    EXPECT_EQ(flag.grid[44][44].x, 44.0f / 45.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FlagTest, DrawLeavesTheClothFrameOnTheMatrix) {
    Flag flag(clothPath.c_str(), polePath.c_str());
    flag.position = Point3{1, 2, 3};
    flag.rotation = Point3{46, 10, 20};
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    flag.draw();
    GLfloat after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    // The cloth's origin sits at the top of the pole, its x axis running down the pole.
    glLoadIdentity();
    glTranslatef(1, 2, 3);
    glRotatef(46, 1, 0, 0);
    glRotatef(10, 0, 1, 0);
    glRotatef(20, 0, 0, 1);
    GLfloat pole[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, pole);
    const float h = flag.poleHeight;
    const float top[3] = {pole[8] * h + pole[12], pole[9] * h + pole[13], pole[10] * h + pole[14]};
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(after[12 + k], top[k], 1e-5f);
        EXPECT_NEAR(after[k], -pole[8 + k], 1e-5f);  // cloth x = pole -z
    }
}

}  // namespace
