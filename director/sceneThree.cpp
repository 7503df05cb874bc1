// Scene 3: the camera holds still while its gaze runs on along the second camera path to the
// earth and its flag.
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

bool sceneThree() {
    glLoadIdentity();
    cameraPath2->advance(pathStep);
    if (cameraPath2->parameter > gazeArrivesPercent) return false;
    assignPoint(camera.center, cameraPath2->currentPoint());

    camera.look();
    aeroplane->draw(true);
    stepTrails(3);

    drawEarthWithFlag();

    camera.look();
    drawStarsAt(planePosition.x, planePosition.y, planePosition.z);
    return true;
}
