// The demo director: the timeline of five scenes played once, one call per frame, and the state the
// scenes share. Scenes are timed in frames; the music only holds back the first one.
#pragma once

#include <cstddef>

#include "scene/Point3.h"

extern int sceneIndex;        // 0 to 4 for scenes 1 to 5
extern int sceneFrame;        // frame counter of the current scene, 0 at every change
extern double pathStep;       // percent of a path's length per frame, set at every change
extern int sceneOnePhase;     // 0: countdown, 1: departure
extern int trailFrames;       // departure frames, counted to 101 to stage the trails
extern Point3 planePosition;  // where the aeroplane stands; the origin from scene 2 on
extern float rocketScale;     // the final rocket's uniform scale
extern double starSpin;       // degrees per frame by which the final scene turns the stars

// Puts all of the above back where a run starts: scene 1's countdown, nothing counted or moved.
void resetDirector();

// Draws one frame; false once the last scene has finished (that frame is not worth showing).
bool drawFrame();
// True once the next frame is one of the show's own: the start-up is done and the first scene
// has begun or begins now, the music being heard. Before that, frames are only cleared.
bool showUnderWay();
// Applies the camera, moves to (x, y, z) and draws the star field there.
void drawStarsAt(float x, float y, float z);
// Applies the camera and draws the earth, then the flag, which stands in the earth's frame.
void drawEarthWithFlag();

bool sceneOne();
bool sceneTwo();
bool sceneThree();
bool sceneFour();
bool sceneFive();

// Reads one record of the recorded attitude into recordedRotation; a short or missing file leaves
// the values it cannot fully read as they were.
void readSequenceRecord();
// The bytes of one record (count of them, 12 in a whole one) into rotation: each whole, finite
// angle replaces its value, the rest stay as they were.
void applySequenceRecord(const unsigned char* record, std::size_t count, Point3& rotation);
