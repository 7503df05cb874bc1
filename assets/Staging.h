// Where our models must stand so that the show's numbers (show/ShowConstants.h) frame them:
// the tube's centre line, the earth's position, the camera paths and a replay of scene 1's path
// arithmetic. The models, the paths, the attitude sequence and the staging test use these.
#pragma once

#include <vector>

#include "assets/Vec3.h"
#include "show/ShowConstants.h"

namespace staging {

// The tube: its centre line is the tube path; the mesh stops short of the path's end, so the
// aeroplane leaves it into open space among the stars.
constexpr double tubeLength = 700.0;
constexpr double tubeRadius = 3.5;
constexpr double tubeSampleStep = 2.0;
constexpr double tubeMeshStart = -6.0;       // the mesh reaches a little behind the path's start
constexpr double tubeMeshEndPercent = 91.0;  // and ends here, open

// The show's places that the staging answers to (show/ShowConstants.h), as vectors.
inline Vec3 toVec3(const show::Place& place) {
    return {place.x, place.y, place.z};
}
const Vec3 worldUp = toVec3(show::cameraUp);
const Vec3 launchOffset = toVec3(show::launchOffset);
const Vec3 finalLookTarget = toVec3(show::finalLookTarget);
const Vec3 finalEyeTarget = toVec3(show::finalEyeTarget);

// Our models' sizes.
constexpr double earthRadius = 1.5;
constexpr double cameraToEarthAtPath1End = 20.0;
constexpr double starInnerRadius = 40.0;
constexpr double starOuterRadius = 70.0;

// A point of the tube's centre line with its unit direction and curvature vector (towards the
// centre of the turn, length 1 / radius).
struct CentreSample {
    Vec3 position, direction, curvature;
};

// The centre line at arc length s (units from the path's start; negative: behind it).
CentreSample tubeCentre(double s);
// The tube path's vertices, one every tubeSampleStep units from 0 to tubeLength.
std::vector<Vec3> tubePathPoints();

// Scene 1 replayed: for every drawn frame of its departure phase, the tube path's parameter.
struct SceneOneRun {
    std::vector<double> departure;  // tubePath parameter of each drawn departure frame
    Vec3 handOverEye;               // eye - center of the last drawn frame: scene 2's starting eye
};
SceneOneRun replaySceneOne();

// The earth's rotation as drawn (about Y 160, then Z -90) and the position e solving
// e + M (e + launchOffset) = finalLookTarget, so that the final rocket ends where the camera looks.
Mat3 earthRotation();
Vec3 earthPosition();

// Camera path 1: from the hand-over eye round the aeroplane at the origin to a point
// cameraToEarthAtPath1End from the earth. Camera path 2: from the aeroplane to just past the
// earth, so that its 99.9 % point is the earth's position.
Vec3 cameraPath1End();
std::vector<Vec3> cameraPath1Points();
std::vector<Vec3> cameraPath2Points();

}  // namespace staging
