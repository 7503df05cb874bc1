// The application shell against a scripted demo: the frame limiter's arithmetic on a scripted
// clock, the window procedure's table, the main loop's three ways out, and a real window and GL
// context made, driven and torn down offscreen.
#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

#include "app/GLWindow.h"
#include "app/limitFrameRate.h"
#include "app/mainLoop.h"
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
};

// A clock that returns scripted millisecond readings, then advances by 1 ms per read.
std::vector<int> script;
std::size_t scriptIndex = 0;
int clockReads = 0;
int lastReading = 0;

platform::WallClock scriptedClock() {
    // A limiter that has lost count of the second would wait for ever: fail instead of hanging.
    if (++clockReads > 100000) throw std::runtime_error("the frame limiter never stops waiting");
    lastReading = scriptIndex < script.size() ? script[scriptIndex++] : (lastReading + 1) % 1000;
    return platform::WallClock{0, lastReading};
}

struct ScriptedClock : ::testing::Test {
    void SetUp() override {
        frameClock = scriptedClock;
        scriptIndex = 0;
        clockReads = 0;
        lastReading = 0;
    }
    void TearDown() override { frameClock = platform::readWallClock; }
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

TEST_F(ScriptedClock, LimiterWaitsForTheRestOfThePeriodCountingModuloOneSecond) {
    const struct {
        const char* what;
        int last;
        std::vector<int> readings;  // then one more millisecond per read
        int waitedUntil, reads;
    } cases[] = {
        {"across the second boundary: 990 to 10 is 20 ms", 990, {10}, 30, 21},
        {"more than a second (1.015 s) counts as 15 ms", 500, {515}, 540, 26},
        {"the first wait compares against 0; a late frame does not wait", 0, {100}, 100, 1},
        {"waits until the period is up", 100, {120, 139, 140}, 140, 3},
    };
    for (const auto& c : cases) {
        lastMillis = c.last;
        script = c.readings;
        scriptIndex = 0;
        clockReads = 0;
        limitFrameRate(25);
        EXPECT_EQ(lastMillis, c.waitedUntil) << c.what;
        EXPECT_EQ(clockReads, c.reads) << c.what;
    }
}

TEST(WindowProcedure, KeysActivationCloseAndScreenSaver) {
    resetShell();
    EXPECT_EQ(windowProc(nullptr, platform::msgKeyDown, platform::vkEscape, 0), 0);
    EXPECT_TRUE(keys[platform::vkEscape]);
    windowProc(nullptr, platform::msgKeyUp, platform::vkEscape, 0);
    EXPECT_FALSE(keys[platform::vkEscape]);
    windowProc(nullptr, platform::msgKeyDown, 0x1234, 0);  // no key beyond the array is written

    windowProc(nullptr, platform::msgActivate, platform::waInactive | 0x10000u, 0);
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

struct MainLoop : ScriptedClock {
    void SetUp() override {
        ScriptedClock::SetUp();
        resetShell();
    }
};

TEST_F(MainLoop, EndsWhenTheShowEndsWithoutPacingOrPresentingTheLastFrame) {
    // Each wait reads the clock once: every reading is a full period after the last.
    lastMillis = 0;
    script = {40, 80, 120, 160, 200};
    framesLeft = 3;
    EXPECT_EQ(runMainLoop(scriptedDemo), 0u);
    EXPECT_EQ(framesDrawn, 3);
    // Two frames were paced and presented; the third, the one that ended the show, was not.
    EXPECT_EQ(clockReads, 2);
}

TEST_F(MainLoop, EndsOnAQuitMessageWithItsCodeAfterDispatchingEverythingBefore) {
    platform::postMessage(nullptr, platform::msgUser, 0, 0);
    platform::postQuitMessage(5);
    EXPECT_EQ(runMainLoop(scriptedDemo), 5u);
    EXPECT_EQ(framesDrawn, 0);  // the backlog is drained before any frame
}

TEST_F(MainLoop, EscapeEndsEvenWhileInactiveButATapSeenOnlyInTheQueueDoesNot) {
    active = false;
    keys[platform::vkEscape] = true;
    EXPECT_EQ(runMainLoop(scriptedDemo), 0u);
    EXPECT_EQ(framesDrawn, 0);

    // Key messages queued for a window of the shell's own procedure reach the keys only through
    // the loop's dispatch. A key-down alone is seen after the next frame and ends the loop.
    ASSERT_TRUE(
        platform::registerWindowClass("shell-test", windowProc, platform::getModuleHandle()));
    platform::WindowHandle window =
        platform::createMessageWindow("shell-test", "", platform::getModuleHandle());
    ASSERT_NE(window, nullptr);
    resetShell();
    platform::postMessage(window, platform::msgKeyDown, platform::vkEscape, 0);
    framesLeft = 4;
    runMainLoop(scriptedDemo);
    EXPECT_EQ(framesDrawn, 1);

    // Down and up both queued before the next frame: both are dispatched before the loop looks at
    // the keys, so the tap is not seen and the demo goes on to its end.
    resetShell();
    platform::postMessage(window, platform::msgKeyDown, platform::vkEscape, 0);
    platform::postMessage(window, platform::msgKeyUp, platform::vkEscape, 0);
    framesLeft = 4;
    runMainLoop(scriptedDemo);
    EXPECT_EQ(framesDrawn, 4);
    platform::destroyWindow(window);
    platform::unregisterWindowClass("shell-test", platform::getModuleHandle());
}

TEST(GLWindow, OpensRunsAndClosesOffscreenWithTheProjection) {
    resetShell();
    frameClock = platform::readWallClock;
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

    framesLeft = 3;
    runMainLoop(scriptedDemo);
    EXPECT_EQ(framesDrawn, 3);
    killGLWindow();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(glGetString(GL_VERSION), nullptr);  // no context is current any more
}
