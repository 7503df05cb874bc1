// The earth: a UV sphere, north pole on local +Z, longitude mapped round and latitude up the
// texture. Its diffuse colour is white because the flag, drawn right after it, is tinted by the
// colour the earth leaves current.
#include <cmath>

#include "assets/MeshBuilder.h"
#include "assets/Models.h"
#include "assets/Staging.h"

namespace models {

write3ds::Model makeEarth() {
    const int slices = 48, stacks = 24;
    MeshBuilder sphere("Terra", "Terra");
    sphere.grid(stacks, slices, [&](int r, int c) {
        const double v = static_cast<double>(r) / stacks;
        const double u = static_cast<double>(c) / slices;
        const double lat = (v - 0.5) * pi, lon = u * 2.0 * pi - pi;
        const Vec3 p{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
        return MeshVertex{p * staging::earthRadius, u, v};
    });
    write3ds::Model model;
    model.materials.push_back({"Terra",
                               {0.2f, 0.2f, 0.2f},
                               {1.0f, 1.0f, 1.0f},
                               {0.3f, 0.3f, 0.4f},
                               10,
                               earthTextureFile});
    model.meshes.push_back(sphere.take(true));
    return model;
}

}  // namespace models
