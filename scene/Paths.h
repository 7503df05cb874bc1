// The demo's eight paths and the start-up step that builds them. setUpPaths reads the unpacked
// path files from the temporary folder and places the earth; both of those globals belong to the
// start-up code and are only declared here.
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

// Defined by the start-up code.
extern SceneObject* earth;
extern char tempFolder[];

// Needs earth loaded and the GL context current (loading may create textures).
void setUpPaths();
