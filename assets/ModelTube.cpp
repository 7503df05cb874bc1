// The tube: rings of vertices round the centre line every sample step, the panel texture repeated
// twice round and once every eight units along, so the ring bands pass the camera steadily.
#include <cmath>

#include "assets/MeshBuilder.h"
#include "assets/Models.h"
#include "assets/PolylineFollower.h"
#include "assets/Staging.h"

namespace models {

write3ds::Model makeTube() {
    const int segments = 32;
    const double textureLength = 8.0;
    const double pathLength = PolylineFollower(staging::tubePathPoints()).totalLength();
    const double end = pathLength * staging::tubeMeshEndPercent / 100.0;
    const int rings = static_cast<int>((end - staging::tubeMeshStart) / staging::tubeSampleStep);

    MeshBuilder tube("Tubo", "Tub");
    tube.grid(rings, segments, [&](int r, int c) {
        const double s = staging::tubeMeshStart + r * staging::tubeSampleStep;
        const staging::CentreSample centre = staging::tubeCentre(s);
        const Vec3 side = centre.direction.cross(staging::worldUp).normalised();
        const Vec3 up = side.cross(centre.direction);
        const double a = 2.0 * pi * c / segments;
        const Vec3 p =
            centre.position + (side * std::cos(a) + up * std::sin(a)) * staging::tubeRadius;
        return MeshVertex{p, 2.0 * c / segments, s / textureLength};
    });

    write3ds::Model model;
    model.materials.push_back(
        {"Tub", {0.3f, 0.3f, 0.3f}, {1.0f, 1.0f, 1.0f}, {0.6f, 0.6f, 0.6f}, 30, tubeTextureFile});
    model.meshes.push_back(tube.take(true));
    return model;
}

}  // namespace models
