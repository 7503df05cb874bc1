// The scenes' frame-exact moments over the real start-up on small assets: the countdown's spin, the
// trails' stages, scene 2's gaze and rocket launches, scene 5's stages and its scale drawn one
// frame late, and what the frame of each hand-over shows.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/GLWindow.h"
#include "app/Objects.h"
#include "director/Director.h"
#include "effects/OutlineText.h"
#include "effects/ParticleSystem.h"
#include "effects/ParticleSystems.h"
#include "scene/Camera.h"
#include "scene/Paths.h"
#include "scene/SceneObject.h"
#include "tests/director/DemoFixture.h"

namespace {

// Plays frames until the given scene is running; the frame that hands over to it is its first.
void playUntilScene(int scene) {
    for (long frames = 0; sceneIndex < scene; ++frames) {
        ASSERT_LT(frames, 10000) << "scene " << scene + 1 << " never starts";
        ASSERT_TRUE(drawFrame());
    }
}

// A trail system has been stepped when its first particle has moved, aged or been relaunched.
struct TrailWatch {
    ParticleSystem* system;
    Particle first;
    explicit TrailWatch(ParticleSystem* s) : system(s), first(s->particles[0]) {}
    bool stepped() const {
        const Particle& now = system->particles[0];
        return now.life != first.life ||
               std::memcmp(&now.position, &first.position, sizeof(Point3)) != 0;
    }
};

std::vector<TrailWatch> watchTrails() {
    return {TrailWatch(trailA1), TrailWatch(trailB1), TrailWatch(trailA2),
            TrailWatch(trailB2), TrailWatch(trailA3), TrailWatch(trailB3)};
}

}  // namespace

TEST_F(StartedDemo, CountdownDigitsTurnTwoDegreesPerPrintSixRedAndFourYellowPerFrame) {
    const float red = countdownRed->rotation.y, yellow = countdownYellow->rotation.y;
    for (int frame = 1; frame <= 30; ++frame) {
        ASSERT_TRUE(drawFrame());
        ASSERT_EQ(sceneOnePhase, 0);
        ASSERT_FLOAT_EQ(countdownRed->rotation.y, red + 6.0f * frame) << "frame " << frame;
        ASSERT_FLOAT_EQ(countdownYellow->rotation.y, yellow + 4.0f * frame) << "frame " << frame;
    }
    EXPECT_FLOAT_EQ(countdownRed->rotation.x, -90.0f);
    EXPECT_FLOAT_EQ(countdownYellow->rotation.z, 0.0f);
}

TEST_F(StartedDemo, DepartureTrailsSwitchOnFromTheFiftySecondAndTheHundredAndSecondFrame) {
    std::vector<TrailWatch> trails;
    do {
        trails = watchTrails();
        ASSERT_TRUE(drawFrame());
    } while (sceneOnePhase == 0);
    // The frame that ended the countdown was the departure's first.
    for (int frame = 1;; ++frame) {
        const bool second = frame >= 52, third = frame >= 102;
        const bool expected[6] = {true, true, second, second, third, third};
        for (int i = 0; i < 6; ++i)
            ASSERT_EQ(trails[i].stepped(), expected[i])
                << "system " << i << ", departure frame " << frame;
        ASSERT_EQ(trailFrames, frame < 101 ? frame : 101) << "departure frame " << frame;
        if (frame == 110) break;
        trails = watchTrails();
        ASSERT_TRUE(drawFrame());
    }
    // Past the countdown the digits stand still.
    const float red = countdownRed->rotation.y;
    drawFrame();
    EXPECT_EQ(countdownRed->rotation.y, red);
}

TEST_F(StartedDemo, SceneTwoLooksAtTheAeroplaneUntilNinetyPercentAndLaunchesAtFrames152And902) {
    playUntilScene(1);
    Path secondPath(*cameraPath2), firstPath(*cameraPath1);
    int frame = 1, firstClimb = 0, secondClimb = 0;
    double gazeParameter = 0.0;
    float rocketY = rocket->position.y, copyY = rocketCopy->position.y;
    const float rocketStart = rocketY, copyStart = copyY;
    for (;;) {
        // The frame just drawn, scene 2's frame number `frame`.
        const Point3 eye = *firstPath.setParameter(cameraPath1->parameter);
        expectPoint(camera.eye, eye.x, eye.y, eye.z);
        if (cameraPath1->parameter <= 90.0) {
            ASSERT_DOUBLE_EQ(cameraPath2->parameter, 0.0) << "frame " << frame;
            expectPoint(camera.center, 0.0f, 0.0f, 0.0f);
        } else {
            gazeParameter += 0.08;
            ASSERT_EQ(cameraPath2->parameter, gazeParameter) << "frame " << frame;
            const Point3 gaze = *secondPath.setParameter(cameraPath2->parameter);
            expectPoint(camera.center, gaze.x, gaze.y, gaze.z);
        }
        if (rocket->position.y != rocketY && firstClimb == 0) firstClimb = frame;
        if (rocketCopy->position.y != copyY && secondClimb == 0) secondClimb = frame;
        rocketY = rocket->position.y;
        copyY = rocketCopy->position.y;
        if (frame >= 902) {
            ASSERT_EQ(sceneFrame, 901);
        }

        ASSERT_TRUE(drawFrame());
        if (sceneIndex != 1) break;
        ++frame;
    }
    EXPECT_EQ(frame, 1250);
    EXPECT_EQ(firstClimb, 152);
    EXPECT_EQ(secondClimb, 902);
    // Each rocket climbed 0.1 on every frame from its first, in double precision stored as float.
    float climbed = rocketStart, copyClimbed = copyStart;
    for (int f = 152; f <= frame; ++f) climbed = static_cast<float>(climbed + 0.1);
    for (int f = 902; f <= frame; ++f) copyClimbed = static_cast<float>(copyClimbed + 0.1);
    EXPECT_EQ(rocket->position.y, climbed);
    EXPECT_EQ(rocketCopy->position.y, copyClimbed);
}

TEST_F(StartedDemo, SceneFiveGrowsCountsTurnsCountsTurnsCountsAndShrinksDrawingLastFramesScale) {
    playUntilScene(4);
    // Scene 5's first frame has been drawn: it grew the rocket from 0 and drew it at 0.
    EXPECT_EQ(rocket->scale.x, 0.0f);
    std::string stages = "g";
    std::vector<int> lengths = {1};
    std::vector<float> shrinking;
    for (;;) {
        const float scaleBefore = rocketScale, turnBefore = rocket->rotation.z;
        const int counterBefore = sceneFrame;
        const bool goesOn = drawFrame();
        // The rocket is drawn at the scale worked out on the frame before.
        ASSERT_EQ(rocket->scale.x, scaleBefore);
        ASSERT_EQ(rocket->scale.z, scaleBefore);
        char stage;
        if (rocketScale > scaleBefore)
            stage = 'g';
        else if (rocketScale < scaleBefore)
            stage = 's';
        else if (rocket->rotation.z != turnBefore)
            stage = 't';
        else if (sceneFrame == counterBefore + 1)
            stage = 'c';
        else
            FAIL() << "a frame of scene 5 that changed nothing";
        if (stage == 's') {
            ASSERT_EQ(rocketScale, static_cast<float>(scaleBefore - 0.01));
            shrinking.push_back(rocketScale);
        }
        if (stage == stages.back()) {
            ++lengths.back();
        } else {
            stages += stage;
            lengths.push_back(1);
        }
        if (!goesOn) break;
    }
    EXPECT_EQ(stages, "gctctcs");
    ASSERT_EQ(lengths.size(), 7u);
    EXPECT_EQ(lengths[1], 26);   // counting 0 to 26
    EXPECT_EQ(lengths[2], 100);  // -10 to 90 degrees
    EXPECT_EQ(lengths[3], 50);   // 26 to 76
    EXPECT_EQ(lengths[4], 120);  // 90 to 210 degrees
    EXPECT_EQ(lengths[5], 55);   // 76 to 131
    EXPECT_FLOAT_EQ(rocket->rotation.z, 210.0f);
    EXPECT_LE(rocketScale, 0.0f);
    ASSERT_GE(shrinking.size(), 2u);
    EXPECT_GT(shrinking[shrinking.size() - 2],
              0.0f);  // the show ends on the first scale at or below 0
}

TEST_F(StartedDemo, EveryHandOverFrameShowsTheNextScenesFirstFrame) {
    resizeGLScene(gl->width(), gl->height());  // the projection the window gives the show
    for (int scene = 1; scene <= 4; ++scene) {
        playUntilScene(scene);
        const std::vector<unsigned char> handOver = gl->readPixels();
        // The finishing scene draws nothing; what shows was drawn by the next one after a clear.
        EXPECT_GT(testing_support::countPixelsNot(handOver, 0, 0, 0),
                  gl->width() * gl->height() / 4)
            << "the hand-over to scene " << scene + 1 << " shows an empty frame";
        if (scene == 1) {
            // Scene 2 starts looking at the aeroplane, recentred at the origin: its box fills the
            // middle of the picture, behind the trails.
            int plane = 0;
            for (int y = gl->height() / 2 - 10; y <= gl->height() / 2 + 10; ++y)
                for (int x = gl->width() / 2 - 10; x <= gl->width() / 2 + 10; ++x) {
                    const unsigned char* p = &handOver[(y * gl->width() + x) * 3];
                    if (std::abs(p[0] - 204) <= 2 && std::abs(p[1] - 179) <= 2 &&
                        std::abs(p[2] - 153) <= 2)
                        ++plane;
                }
            EXPECT_GT(plane, 21 * 21 / 4);
        }
    }
}
