// Our models, built in code to the sizes and orientations the scenes expect (see Staging.h), and
// the file names under which they and their texture bitmaps travel in data.dat.
#pragma once

#include <vector>

#include "assets/Vec3.h"
#include "tools/write3ds/Writer3ds.h"

namespace models {

constexpr const char* tubeTextureFile = "tubo.bmp";
constexpr const char* earthTextureFile = "terra.bmp";
constexpr const char* planeTextureFile = "avio.bmp";
constexpr const char* wingTextureFile = "ala.bmp";
constexpr const char* rocketTextureFile = "coet.bmp";

// The tube round the tube path, open at its far end; inside drawn with the panel texture.
write3ds::Model makeTube();
// Nose +Y, top +Z, about 2.15 long; fuselage axis at x 0.1, z 0.15; the two engines end at
// y -0.8 on x 0.25 and -0.05, z 0.3, where the trails start.
write3ds::Model makePlane();
// Nose +Z, tail (the flame's origin) at z -0.5, nose tip at z 2.0.
write3ds::Model makeRocket();
// A sphere of staging::earthRadius with its poles on the local Z axis.
write3ds::Model makeEarth();
// Small bright points in a shell round the origin, between the staging's star radii.
write3ds::Model makeStars();
// A path file: one object whose vertices, in order, are the path.
write3ds::Model makePath(const std::vector<Vec3>& points, const char* name);

}  // namespace models
