// The application shell against a scripted demo: the window procedure's table, and a real window
// and GL context made, driven and torn down offscreen, with the picture stretched or fitted between
// bars and frames drawn unseen. The main loop's timing has a file of its own (MainLoopTest.cpp).
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

#include "app/GLWindow.h"
#include "app/mainLoop.h"
#include "app/unseenFrames.h"
#include "platform/GL.h"
#include "platform/Keys.h"

namespace {

// The scripted demo: its frame reports the end after framesLeft frames.
int framesDrawn = 0;
int framesLeft = 1000;
bool initCalled = false;

const DemoEntryPoints scriptedDemo{
    [](void*) {
        initCalled = true;
        return true;
    },
    [](void*) {
        ++framesDrawn;
        return --framesLeft > 0;
    },
    [](void*) {},
    [](void*) { return true; },
};

void resetShell() {
    for (bool& key : keys) key = false;
    active = true;
    framesDrawn = 0;
    framesLeft = 1000;
    platform::Message drained;
    while (platform::peekMessage(&drained)) {
    }
}

}  // namespace

TEST(WindowProcedure, KeysActivationCloseAndScreenSaver) {
    resetShell();
    EXPECT_EQ(windowProc(nullptr, platform::msgKeyDown, platform::vkEscape, 0), 0);
    EXPECT_TRUE(keys[platform::vkEscape]);
    windowProc(nullptr, platform::msgKeyUp, platform::vkEscape, 0);
    EXPECT_FALSE(keys[platform::vkEscape]);
    windowProc(nullptr, platform::msgKeyDown, 0x1234, 0);  // no key beyond the array is written

    windowProc(nullptr, platform::msgActivate, platform::waInactive | platform::activateMinimised,
               0);
    EXPECT_FALSE(active);  // minimised
    windowProc(nullptr, platform::msgActivate, platform::waActive, 0);
    EXPECT_TRUE(active);
    windowProc(nullptr, platform::msgActivate, platform::waInactive, 0);
    EXPECT_TRUE(active);  // deactivated but visible: frames keep coming

    EXPECT_EQ(windowProc(nullptr, platform::msgSysCommand, platform::scScreenSave, 0), 0);
    EXPECT_EQ(windowProc(nullptr, platform::msgSysCommand, platform::scMonitorPower, 0), 0);

    windowProc(nullptr, platform::msgClose, 0, 0);
    platform::Message message;
    ASSERT_TRUE(platform::peekMessage(&message));
    EXPECT_EQ(message.message, platform::msgQuit);
    EXPECT_EQ(message.wParam, 0u);
}

TEST(GLWindow, OpensRunsAndClosesOffscreenWithTheProjection) {
    resetShell();
    testing::internal::CaptureStderr();
    ASSERT_TRUE(
        createGLWindow("ORBEK42 MARLWIGHT <-> TOLVAN 11", 640, 480, 16, true, scriptedDemo));
    EXPECT_TRUE(initCalled);
    int depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);

    // A size message with height 0 sets an empty viewport but keeps a finite aspect.
    windowProc(mainWindow, platform::msgSize, 0, platform::makeLParam(320, 0));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 1);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    double f = 1.0 / std::tan(22.5 * 3.14159265358979323846 / 180.0);
    EXPECT_NEAR(projection[0], f / 320.0, 1e-6);  // GL keeps single precision
    EXPECT_NEAR(projection[5], f, 1e-6);

    // Fitted, the largest 4:3 picture sits centred between bars (GL counts rows from the bottom),
    // and what is sized in pixels grows with it; stretched again, the picture takes all.
    setPictureFitted(true);
    const struct {
        int width, height;
        GLint viewport[4];
        float pixelScale;
    } fits[] = {
        {1920, 1080, {240, 0, 1440, 1080}, 2.25f},
        {1280, 1024, {0, 32, 1280, 960}, 2.0f},
        {640, 480, {0, 0, 640, 480}, 1.0f},
    };
    for (const auto& fit : fits) {
        resizeGLScene(fit.width, fit.height);
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4),
                  std::vector<GLint>(fit.viewport, fit.viewport + 4))
            << fit.width << "x" << fit.height;
        EXPECT_FLOAT_EQ(pixelScale, fit.pixelScale);
        GLfloat pointSize = 0;
        glGetFloatv(GL_POINT_SIZE, &pointSize);
        EXPECT_FLOAT_EQ(pointSize, 2.0f * fit.pixelScale);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        EXPECT_NEAR(projection[5] / projection[0], 4.0 / 3.0, 1e-6) << "the picture keeps 4:3";
    }
    setPictureFitted(false);
    resizeGLScene(640, 480);

    // A frame drawn unseen touches no pixel, and leaves the scissor as it found it.
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(1, 2, 3, 4);
    drawUnseen(true);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    drawUnseen(false);
    unsigned char pixel[4] = {0, 0, 0, 0};
    glReadPixels(320, 240, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 0);
    EXPECT_EQ(pixel[2], 255);
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    GLint box[4];
    glGetIntegerv(GL_SCISSOR_BOX, box);
    EXPECT_EQ(std::vector<GLint>(box, box + 4), (std::vector<GLint>{1, 2, 3, 4}));
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);

    framesLeft = 3;
    runMainLoop(scriptedDemo);
    EXPECT_EQ(framesDrawn, 3);
    killGLWindow();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(glGetString(GL_VERSION), nullptr);  // no context is current any more
}
