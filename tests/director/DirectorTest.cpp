// The director over the real start-up on small assets: the frame count of every scene against the
// path arithmetic it must follow, the hand-overs between scenes, the wait for the music, the
// recorded attitude, and the values every object starts with.
#include <fcntl.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

#include "app/Demo.h"
#include "app/GLWindow.h"
#include "app/Objects.h"
#include "director/Director.h"
#include "effects/OutlineText.h"
#include "music/MusicPlayer.h"
#include "platform/Keys.h"
#include "scene/Camera.h"
#include "scene/Paths.h"
#include "scene/SceneObject.h"
#include "tests/director/DemoFixture.h"

namespace {

void expectSamePoint(const Point3& actual, const Point3& expected) {
    expectPoint(actual, expected.x, expected.y, expected.z);
}

}  // namespace

// How the start-up's objects stand to one another, which its order decides: copies taken before
// or after a value is set, positions taken from the paths.
TEST_F(StartedDemo, ObjectsStartWhereTheShowNeedsThem) {
    // The rocket's copy was taken once the rocket stood in place: it shares the meshes and differs
    // only in X, where it stands apart from the rocket.
    EXPECT_TRUE(rocketCopy->shared);
    EXPECT_EQ(rocketCopy->meshes, rocket->meshes);
    EXPECT_FALSE(rocket->shared);
    EXPECT_NE(rocketCopy->position.x, rocket->position.x);
    expectSamePoint(rocketCopy->position,
                    Point3{rocketCopy->position.x, rocket->position.y, rocket->position.z});
    expectSamePoint(rocketCopy->rotation, rocket->rotation);
    expectSamePoint(rocketCopy->scale, rocket->scale);

    // The yellow text was copied once the red one was sized and set spinning, but while both were
    // still black: it shares the transform and the font's lists, not the red's colour, and its own
    // colour is the red's with green added.
    expectSamePoint(countdownYellow->scale, countdownRed->scale);
    expectSamePoint(countdownYellow->spin, countdownRed->spin);
    expectSamePoint(countdownYellow->rotation, countdownRed->rotation);
    EXPECT_EQ(countdownYellow->listBase, countdownRed->listBase);
    EXPECT_FLOAT_EQ(countdownYellow->colour.red, countdownRed->colour.red);
    EXPECT_FLOAT_EQ(countdownYellow->colour.blue, countdownRed->colour.blue);
    EXPECT_GT(countdownYellow->colour.green, countdownRed->colour.green);

    // The earth stands near the end of the second camera path, set there after its rotation.
    Path cameraTwo(*cameraPath2);
    const Point3 earthPlace = *cameraTwo.setParameter(99.9);
    expectSamePoint(earth->position, earthPlace);
    EXPECT_EQ(tubeLookPath->milestones, tubePath->milestones);  // a copy following the same line
    EXPECT_GT(tubePath->parameter, 0.0) << "the countdown backs down the tube from inside it";
    for (Path* path : {tubeLookPath, cameraPath1, cameraPath2, approachPath, launchPath,
                       finalLookPath, finalEyePath})
        EXPECT_DOUBLE_EQ(path->parameter, 0.0);
    // The approach runs from the end of the first camera path to the earth; the final eye starts
    // where the approach stops, at 70 percent, and the final look at the earth; the launch starts
    // at the earth's own origin.
    Path approach(*approachPath), cameraOne(*cameraPath1);
    expectSamePoint(*approachPath->currentPoint(), *cameraOne.setParameter(99.9));
    expectSamePoint(*approach.setParameter(100.0), earth->position);
    expectSamePoint(*finalEyePath->currentPoint(), *approach.setParameter(70.0));
    expectSamePoint(*finalLookPath->currentPoint(), earth->position);
    expectSamePoint(*launchPath->currentPoint(), Point3{0.0f, 0.0f, 0.0f});

    // The aeroplane waits facing down the tube, the attitude the recording starts from.
    drawFrame();
    expectSamePoint(aeroplane->rotation, recordedRotation);
    ASSERT_NE(music, nullptr);
    EXPECT_TRUE(music->playing);  // no soundtrack among these assets: the show runs silent
    EXPECT_TRUE(demoReady);
}

TEST_F(StartedDemo, TheFirstSceneWaitsForTheMusic) {
    music->playing = false;
    for (int frame = 0; frame < 3; ++frame) EXPECT_TRUE(drawFrame());
    EXPECT_DOUBLE_EQ(tubePath->parameter, 12.0);
    music->playing = true;
    EXPECT_TRUE(drawFrame());
    EXPECT_DOUBLE_EQ(tubePath->parameter, 12.0 - 0.05);
}

TEST_F(StartedDemo, TheDepartureReplaysTheRecordingAndHoldsItsLastAttitude) {
    while (sceneOnePhase == 0) drawFrame();
    // The frame that left the countdown read the first record.
    expectPoint(recordedRotation, 0.0f, 180.0f, 0.0f);
    expectPoint(aeroplane->rotation, 0.0f, 180.0f, 0.0f);
    drawFrame();
    drawFrame();
    expectPoint(aeroplane->rotation, 2.0f, 182.0f, -2.0f);
    for (int frame = 0; frame < 10; ++frame) drawFrame();
    expectPoint(aeroplane->rotation, 2.0f, 182.0f, -2.0f);
    EXPECT_GT(trailFrames, 10);
}

class StartedDemoWithoutRecording : public StartedDemo {
protected:
    void SetUp() override {
        seqRecords = 0;
        StartedDemo::SetUp();
    }
};

TEST_F(StartedDemoWithoutRecording, AnEmptyRecordingDepartsAtTheWaitingAttitude) {
    while (sceneOnePhase == 0) drawFrame();
    for (int frame = 0; frame < 5; ++frame) drawFrame();
    expectPoint(aeroplane->rotation, 0.0f, 180.0f, 0.0f);
}

TEST_F(StartedDemo, ShutdownAfterEscapeReleasesWhatItOwnsAndClosesTheRecording) {
    ASSERT_NE(seqFile, nullptr);
    const int descriptor = fileno(seqFile);
    keys[platform::vkEscape] = true;  // as the main loop leaves it: the key-up is never dispatched
    shutdownDemo();                   // under the sanitizers, also: nothing freed twice or leaked
    keys[platform::vkEscape] = false;
    EXPECT_EQ(fcntl(descriptor, F_GETFD), -1) << "seq1.dat is still open";
}
