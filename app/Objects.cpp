// The demo's object table: every object starts empty and is made by the start-up.
#include "app/Objects.h"

SceneObject* tube = nullptr;
SceneObject* rocket = nullptr;
SceneObject* rocketCopy = nullptr;
SceneObject* stars = nullptr;
SceneObject* aeroplane = nullptr;
SceneObject* earth = nullptr;
Flag* flag = nullptr;
OutlineText* countdownRed = nullptr;
OutlineText* countdownYellow = nullptr;
MusicPlayer* music = nullptr;
std::FILE* seqFile = nullptr;
Point3 recordedRotation = {0.0f, 0.0f, 0.0f};
bool demoReady = false;
