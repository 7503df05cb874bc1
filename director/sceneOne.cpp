// Scene 1: the countdown in the tube while the camera backs towards the waiting aeroplane, then
// the departure: the aeroplane accelerates through the tube half a percent ahead of the camera,
// with its recorded attitude and its trails switching on in three stages.
#include "app/Objects.h"
#include "director/Director.h"
#include "director/PathPoint.h"
#include "effects/OutlineText.h"
#include "effects/ParticleSystems.h"
#include "platform/GL.h"
#include "scene/Camera.h"
#include "scene/Paths.h"
#include "scene/SceneObject.h"
#include "show/ShowConstants.h"

using namespace show;

namespace {

void lookAlongTube() {
    assignPoint(camera.eye, tubePath->currentPoint());
    assignPoint(camera.center, tubeLookPath->setParameter(tubePath->parameter + lookAhead));
}

void printDigitAt(OutlineText* text, double place, const char* digit) {
    camera.look();
    assignPoint(text->position, tubeLookPath->setParameter(place));
    text->print(digit);
}

void drawCountdown() {
    lookAlongTube();
    camera.look();
    tube->draw(true);
    printDigitAt(countdownRed, 8.25, "5");
    printDigitAt(countdownYellow, 7.0, "4");
    printDigitAt(countdownRed, 5.75, "3");
    printDigitAt(countdownYellow, 4.5, "2");
    printDigitAt(countdownRed, 3.25, "1");
    camera.look();
    assignPoint(aeroplane->position, tubeLookPath->setParameter(0.5));
    aeroplane->rotation.y = 180.0f;
    aeroplane->draw(true);
}

// The world is recentred on the aeroplane, seen from where the camera last saw it.
void finishDeparture() {
    planePosition = Point3{0.0f, 0.0f, 0.0f};
    aeroplane->position = planePosition;
    camera.eye = Point3{camera.eye.x - camera.center.x, camera.eye.y - camera.center.y,
                        camera.eye.z - camera.center.z};
    camera.center = Point3{0.0f, 0.0f, 0.0f};
}

}  // namespace

bool sceneOne() {
    glLoadIdentity();
    if (sceneOnePhase == 0) {
        if (tubePath->advance(-pathStep)) {
            drawCountdown();
            return true;
        }
        sceneOnePhase = 1;
        pathStep = departureStartStep;
    }

    readSequenceRecord();
    if (pathStep < cruisingStep) pathStep += departureAcceleration;
    if (!tubePath->advance(pathStep) || tubePath->parameter > tubeEndPercent) {
        finishDeparture();
        return false;
    }
    lookAlongTube();
    camera.look();
    planePosition = camera.center;

    aeroplane->rotation = recordedRotation;
    aeroplane->position = planePosition;
    aeroplane->draw(true);
    // The trails switch on a pair at a time as the departure gets under way.
    stepTrails(trailFrames > 100 ? 3 : trailFrames > 50 ? 2 : 1);
    if (trailFrames <= 100) ++trailFrames;

    camera.look();
    tube->draw(true);
    camera.look();
    if (tubePath->parameter > starsFromPercent)
        drawStarsAt(planePosition.x, planePosition.y, planePosition.z);
    return true;
}
