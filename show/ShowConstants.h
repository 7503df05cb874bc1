// The show's fixed numbers in one place: the screen and the pace, where the start-up puts things,
// and the percentages, steps and frame counts the scenes move by. The director, the start-up, the
// asset generator (which stages its models to fit them) and the tools all read them here.
#pragma once

namespace show {

struct Place {
    double x, y, z;
};

// The screen and the pace.
constexpr const char* windowTitle = "ORBEK42 MARLWIGHT <-> TOLVAN 11";
constexpr int screenWidth = 640;
constexpr int screenHeight = 480;
constexpr int screenBits = 16;
constexpr int framesPerSecond = 25;
constexpr double fieldOfView = 45.0;  // vertical, degrees
constexpr float nearPlane = 0.1f;
constexpr double farPlane = 100.0;
constexpr float particlePointSize = 2.0f;  // in pixels of the 640x480 picture

// Where the start-up puts things. Up is -Z in every scene's camera.
constexpr Place cameraUp{0.0, 0.0, -1.0};
constexpr float earthRotationY = 160.0f;
constexpr float earthRotationZ = -90.0f;
constexpr float rocketRotationZ = -10.0f;   // the final rocket's turns start from here
constexpr double tubeStartPercent = 12.0;   // the countdown backs down the tube path from here
constexpr double earthPlacePercent = 99.9;  // the earth stands at this point of camera path 2; the
                                            // approach starts at the same point of camera path 1
constexpr Place launchOffset{0.0, -3.535, 3.535};  // the launch path's end, from the earth
constexpr Place finalLookTarget{-16.74, 22.44, -5.97};
constexpr Place finalEyeTarget{-16.9, 17.14, -5.97};

// Scene 1: the countdown backs down the tube; the departure accelerates up it to cruising speed.
constexpr double countdownStep = 0.05;
constexpr double lookAhead = 0.5;  // the camera looks this far ahead of itself along the tube
constexpr double departureStartStep = 0.0001;
constexpr double departureAcceleration = 0.0005;
constexpr double cruisingStep = 0.1;
constexpr double starsFromPercent = 82.0;
constexpr double tubeEndPercent = 99.0;

// Scene 2: round the aeroplane along camera path 1, the gaze moving on near its end.
constexpr double flyAroundStep = 0.08;
constexpr double gazeMovesFromPercent = 90.0;
constexpr int firstRocketAfter = 150;
constexpr int secondRocketAfter = 900;
constexpr double rocketClimb = 0.1;

// Scene 3: the gaze runs on along camera path 2 to the earth.
constexpr double gazeStep = 0.5;
constexpr double gazeArrivesPercent = 99.5;

// Scene 4: the approach to the earth stops here and holds; scene 5 keeps its step.
constexpr double approachStep = 0.2;
constexpr double approachStopPercent = 70.0;
constexpr int holdFrames = 250;

// Scene 5: the rocket, tilted at the change, grows, turns twice, and shrinks to nothing.
constexpr float finalRocketTilt = 45.0f;
constexpr double halfWay = 50.0;
constexpr double starSpinLimit = 0.1;
constexpr double starSpinRise = 0.01;
constexpr int firstTurnAfter = 25;
constexpr float firstTurnTo = 90.0f;
constexpr int secondTurnAfter = 75;
constexpr float secondTurnTo = 210.0f;
constexpr int shrinkAfter = 130;
constexpr double shrinkStep = 0.01;

}  // namespace show
