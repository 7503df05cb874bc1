// The frame dispatcher: holds the first scene until the music is heard, runs the current scene,
// and when it finishes moves to the next one and draws that one's first frame at once, after a
// fresh clear, so no empty frame shows between scenes.
#include "director/Director.h"

#include "app/Objects.h"
#include "effects/Flag.h"
#include "music/MusicPlayer.h"
#include "platform/GL.h"
#include "scene/Camera.h"
#include "scene/SceneObject.h"
#include "show/ShowConstants.h"

namespace {

bool (*const scenes[])() = {sceneOne, sceneTwo, sceneThree, sceneFour, sceneFive};
constexpr int lastScene = 4;

}  // namespace

bool showUnderWay() {
    return demoReady && (sceneIndex > 0 || (music != nullptr && music->playing));
}

bool drawFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!showUnderWay()) return true;

    if (scenes[sceneIndex]()) return true;
    if (sceneIndex == lastScene) return false;

    sceneFrame = 0;
    ++sceneIndex;
    switch (sceneIndex) {
        case 1:
            pathStep = show::flyAroundStep;
            break;
        case 2:
            pathStep = show::gazeStep;
            break;
        case 3:
            pathStep = show::approachStep;
            break;
        case 4:
            rocket->rotation.x = show::finalRocketTilt;
            break;
        default:
            break;
    }
    drawFrame();
    return true;
}

void drawStarsAt(float x, float y, float z) {
    camera.look();
    glTranslatef(x, y, z);
    stars->draw(true);
}

void drawEarthWithFlag() {
    camera.look();
    earth->draw(true);
    flag->draw();
}
