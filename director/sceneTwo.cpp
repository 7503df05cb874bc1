// Scene 2: the camera flies around the aeroplane, now at the origin, along the first camera path;
// near its end the gaze moves on along the second path. Two rockets launch from the aeroplane.
#include "app/Objects.h"
#include "director/Director.h"
#include "director/PathPoint.h"
#include "effects/ParticleSystems.h"
#include "platform/GL.h"
#include "scene/Camera.h"
#include "scene/Paths.h"
#include "scene/SceneObject.h"
#include "show/ShowConstants.h"

using namespace show;

namespace {

void climb(SceneObject* object) {
    object->position.y = static_cast<float>(object->position.y + rocketClimb);
}

}  // namespace

bool sceneTwo() {
    glLoadIdentity();
    if (!cameraPath1->advance(pathStep)) return false;
    if (cameraPath1->parameter > gazeMovesFromPercent) {
        cameraPath2->advance(pathStep);
        assignPoint(camera.center, cameraPath2->currentPoint());
    }
    assignPoint(camera.eye, cameraPath1->currentPoint());

    camera.look();
    aeroplane->draw(true);
    stepTrails(3);

    if (sceneFrame > firstRocketAfter) {
        climb(rocket);
        rocket->draw(true);
        rocketFlame->step();
    }
    if (sceneFrame > secondRocketAfter) {
        camera.look();
        aeroplane->applyTransform();
        climb(rocketCopy);
        rocketCopy->draw(true);
        rocketCopyFlame->step();
    } else {
        ++sceneFrame;
    }

    camera.look();
    drawStarsAt(camera.center.x, camera.center.y, camera.center.z);
    return true;
}
