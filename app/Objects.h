// The demo's objects: created once by the start-up, read by the scenes by name, destroyed (most of
// them) by the shutdown. The paths live in scene/Paths.h, the particle systems in
// effects/ParticleSystems.h.
#pragma once

#include <cstdio>

#include "scene/Point3.h"

class SceneObject;
class Flag;
class OutlineText;
class MusicPlayer;

extern SceneObject* tube;
extern SceneObject* rocket;
extern SceneObject* rocketCopy;
extern SceneObject* stars;
extern SceneObject* aeroplane;
extern SceneObject* earth;
extern Flag* flag;
extern OutlineText* countdownRed;
extern OutlineText* countdownYellow;
extern MusicPlayer* music;
extern std::FILE* seqFile;       // the recorded attitude, read one record per departure frame
extern Point3 recordedRotation;  // the aeroplane's last recorded rotation about X, Y and Z
extern bool demoReady;           // set as the start-up's last step
