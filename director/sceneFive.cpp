// Scene 5: in the earth's frame the rocket rises along the launch path while it grows, turns twice
// about its Z axis and shrinks to nothing; the camera pulls back and the stars spin up. Its end is
// the end of the show.
#include "app/Objects.h"
#include "director/Director.h"
#include "director/PathPoint.h"
#include "effects/ParticleSystems.h"
#include "scene/Camera.h"
#include "scene/Paths.h"
#include "scene/SceneObject.h"
#include "show/ShowConstants.h"

using namespace show;

bool sceneFive() {
    launchPath->advance(pathStep);
    assignPoint(rocket->position, launchPath->currentPoint());
    finalLookPath->parameter = launchPath->parameter;
    finalEyePath->parameter = launchPath->parameter;
    assignPoint(camera.center, finalLookPath->currentPoint());
    assignPoint(camera.eye, finalEyePath->currentPoint());

    if (launchPath->parameter > halfWay) {
        if (starSpin < starSpinLimit) starSpin += starSpinRise;
        stars->rotation.z = static_cast<float>(stars->rotation.z + starSpin);
    } else {
        drawEarthWithFlag();
    }

    camera.look();
    earth->applyTransform();
    rocket->setScale(rocketScale);

    if (rocketScale < 1.0f && sceneFrame == 0) {
        rocketScale = static_cast<float>(rocketScale + pathStep / 100.0);
    } else if (sceneFrame > firstTurnAfter && rocket->rotation.z < firstTurnTo) {
        rocket->rotation.z += 1.0f;
    } else if (sceneFrame > secondTurnAfter && rocket->rotation.z < secondTurnTo) {
        rocket->rotation.z += 1.0f;
    } else if (sceneFrame > shrinkAfter) {
        rocket->setScale(rocketScale);
        rocketScale = static_cast<float>(rocketScale - shrinkStep);
        if (rocketScale <= 0.0f) return false;
    } else {
        ++sceneFrame;
    }

    rocket->draw(true);
    rocketFlame->step();
    camera.look();
    drawStarsAt(planePosition.x, planePosition.y, planePosition.z);
    return true;
}
