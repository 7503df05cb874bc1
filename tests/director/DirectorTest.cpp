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

TEST_F(StartedDemo, ObjectsStartWhereTheShowNeedsThem) {
    expectPoint(rocket->position, -0.15f, 1.0f, 0.15f);
    expectPoint(rocket->rotation, -90.0f, 0.0f, -10.0f);
    expectPoint(rocket->scale, 0.15f, 0.15f, 0.15f);
    // The copy was taken before the rocket moved on: only X differs, and it shares the meshes.
    expectPoint(rocketCopy->position, 0.35f, 1.0f, 0.15f);
    expectPoint(rocketCopy->rotation, -90.0f, 0.0f, -10.0f);
    expectPoint(rocketCopy->scale, 0.15f, 0.15f, 0.15f);
    EXPECT_TRUE(rocketCopy->shared);
    EXPECT_EQ(rocketCopy->meshes, rocket->meshes);

    // The yellow text was copied while still black, so the red did not carry over.
    EXPECT_FLOAT_EQ(countdownRed->colour.red, 1.0f);
    EXPECT_FLOAT_EQ(countdownRed->colour.green, 0.0f);
    EXPECT_FLOAT_EQ(countdownYellow->colour.red, 1.0f);
    EXPECT_FLOAT_EQ(countdownYellow->colour.green, 1.0f);
    EXPECT_FLOAT_EQ(countdownYellow->colour.blue, 0.0f);
    expectPoint(countdownYellow->scale, 4.0f, 4.0f, 4.0f);
    expectPoint(countdownYellow->spin, 0.0f, 2.0f, 0.0f);
    expectPoint(countdownYellow->rotation, -90.0f, 0.0f, 0.0f);
    EXPECT_EQ(countdownYellow->listBase, countdownRed->listBase);

    expectPoint(earth->rotation, 0.0f, 160.0f, -90.0f);
    Point3 earthPlace = *cameraPath2->setParameter(99.9);
    cameraPath2->setParameter(0.0);
    expectPoint(earth->position, earthPlace.x, earthPlace.y, earthPlace.z);
    EXPECT_DOUBLE_EQ(tubePath->parameter, 12.0);
    EXPECT_EQ(tubeLookPath->milestones, tubePath->milestones);  // a copy following the same line
    for (Path* path : {tubeLookPath, cameraPath1, cameraPath2, approachPath, launchPath,
                       finalLookPath, finalEyePath})
        EXPECT_DOUBLE_EQ(path->parameter, 0.0);
    // The approach runs from the end of the first camera path to the earth; the final eye starts
    // where the approach stops, at 70 percent, and the final look at the earth.
    Path approach(*approachPath), cameraOne(*cameraPath1);
    const Point3 start = *cameraOne.setParameter(99.9), end = *approach.setParameter(100.0),
                 stop = *approach.setParameter(70.0);
    expectPoint(*approachPath->currentPoint(), start.x, start.y, start.z);
    expectPoint(end, earth->position.x, earth->position.y, earth->position.z);
    expectPoint(*finalEyePath->currentPoint(), stop.x, stop.y, stop.z);
    expectPoint(*finalLookPath->currentPoint(), earth->position.x, earth->position.y,
                earth->position.z);
    expectPoint(*launchPath->currentPoint(), 0.0f, 0.0f, 0.0f);

    expectPoint(camera.up, 0.0f, 0.0f, -1.0f);
    expectPoint(recordedRotation, 0.0f, 180.0f, 0.0f);
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
