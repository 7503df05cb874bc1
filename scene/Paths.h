// The demo's eight paths and the start-up step that builds them from the unpacked path files,
// placing the earth on the way.
#pragma once

#include "scene/Path.h"
#include "scene/SceneObject.h"

extern Path* tubePath;
extern Path* tubeLookPath;
extern Path* cameraPath1;
extern Path* cameraPath2;
extern Path* approachPath;
extern Path* launchPath;
extern Path* finalLookPath;
extern Path* finalEyePath;

// Reads the path files from folder (a path ending with its separator) and puts earth, already
// loaded, at the 99.9 percent point of the second camera path. Needs the GL context current
// (loading may create textures).
void setUpPaths(const char* folder, SceneObject& earth);
