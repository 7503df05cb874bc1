// Scene 4: the camera approaches the earth along the approach path to 70 percent, then holds.
#include "app/Objects.h"
#include "director/Director.h"
#include "director/PathPoint.h"
#include "platform/GL.h"
#include "scene/Camera.h"
#include "scene/Paths.h"
#include "scene/SceneObject.h"
#include "show/ShowConstants.h"

using namespace show;

bool sceneFour() {
    glLoadIdentity();
    if (approachPath->parameter <= approachStopPercent) {
        approachPath->advance(pathStep);
        assignPoint(camera.eye, approachPath->currentPoint());
    } else if (sceneFrame < holdFrames) {
        ++sceneFrame;
    } else {
        return false;
    }

    drawEarthWithFlag();

    camera.look();
    drawStarsAt(planePosition.x, planePosition.y, planePosition.z);
    return true;
}
