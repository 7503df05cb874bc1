// The director's state: where the show is, and what the scenes carry from one frame to the next.
#include "director/Director.h"

#include "show/ShowConstants.h"

int sceneIndex = 0;
int sceneFrame = 0;
double pathStep = show::countdownStep;
int sceneOnePhase = 0;
int trailFrames = 0;
Point3 planePosition = {0.0f, 0.0f, 0.0f};
float rocketScale = 0.0f;
double starSpin = 0.0;

void resetDirector() {
    sceneIndex = 0;
    sceneFrame = 0;
    pathStep = show::countdownStep;
    sceneOnePhase = 0;
    trailFrames = 0;
    planePosition = Point3{0.0f, 0.0f, 0.0f};
    rocketScale = 0.0f;
    starSpin = 0.0;
}
