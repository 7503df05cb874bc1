// The whole show over the real start-up on small assets: every scene plays the number of frames its
// path arithmetic gives, and hands over to the next in the same frame.
#include <map>
#include <utility>

#include "app/Objects.h"
#include "director/Director.h"
#include "scene/Paths.h"
#include "scene/SceneObject.h"
#include "tests/director/DemoFixture.h"
#include "tests/director/DerivedTimeline.h"

TEST_F(StartedDemo, EveryScenePlaysItsDerivedNumberOfFramesAndHandsOverAtOnce) {
    std::map<std::pair<int, int>, long> shown;
    int previousScene = 0;
    long frames = 0;
    while (drawFrame()) {
        ++frames;
        ASSERT_LT(frames, 10000) << "the show does not end";
        ++shown[{sceneIndex, sceneIndex == 0 ? sceneOnePhase : -1}];
        if (sceneIndex != previousScene) {
            // The hand-over frame already shows the next scene's first frame.
            switch (sceneIndex) {
                case 1:
                    expectPoint(aeroplane->position, 0.0f, 0.0f, 0.0f);
                    EXPECT_DOUBLE_EQ(cameraPath1->parameter, 0.08);
                    EXPECT_EQ(sceneFrame, 1);
                    break;
                case 2:
                    EXPECT_EQ(sceneFrame, 0);  // scene 2 left it at 901
                    EXPECT_DOUBLE_EQ(pathStep, 0.5);
                    break;
                case 3:
                    EXPECT_DOUBLE_EQ(pathStep, 0.2);
                    break;
                case 4:
                    EXPECT_FLOAT_EQ(rocket->rotation.x, 45.0f);
                    break;
                default:
                    break;
            }
            previousScene = sceneIndex;
        }
    }
    derived::Timeline t = derived::deriveTimeline();
    EXPECT_EQ((shown[{0, 0}]), t.countdown);
    EXPECT_EQ((shown[{0, 1}]), t.departure);
    EXPECT_EQ((shown[{1, -1}]), t.flyAround);
    EXPECT_EQ((shown[{2, -1}]), t.gaze);
    EXPECT_EQ((shown[{3, -1}]), t.approach);
    EXPECT_EQ((shown[{4, -1}]), t.finale);
    EXPECT_EQ(sceneIndex, 4);
    EXPECT_LE(rocketScale, 0.0f);
}
