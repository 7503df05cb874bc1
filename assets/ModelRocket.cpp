// The rocket: a body of revolution with engine bell and nose cone, and four fins at the tail.
// Model frame: nose +Z, tail at z -0.5 where the flame starts; 2.5 long.
#include <cmath>

#include "assets/MeshBuilder.h"
#include "assets/Models.h"

namespace models {

write3ds::Model makeRocket() {
    const double tailZ = -0.5, noseZ = 2.0;
    const double body[][2] = {{-0.5, 0.0}, {-0.5, 0.13}, {-0.38, 0.09}, {-0.36, 0.18}, {1.4, 0.18},
                              {1.6, 0.16}, {1.8, 0.11},  {1.93, 0.05},  {2.0, 0.0}};
    std::vector<Vec3> profile;
    for (const auto& b : body) profile.push_back({b[0], b[1], (b[0] - tailZ) / (noseZ - tailZ)});
    // The painted light comes from the rocket's -Y, which is up when it hangs on the aeroplane.
    MeshBuilder hull("Coet", "Coet");
    hull.lathe({0, 0, 0}, {0, 0, 1}, {1, 0, 0}, {0, -1, 0}, profile, 20);

    MeshBuilder fins("Aletes", "Aleta");
    for (int i = 0; i < 4; ++i) {
        const double a = (45.0 + 90.0 * i) * pi / 180.0;
        const Vec3 out{std::cos(a), std::sin(a), 0.0};
        const Vec3 normal{-std::sin(a) * 0.01, std::cos(a) * 0.01, 0.0};
        const Vec3 c[4] = {out * 0.17 + Vec3{0, 0, 0.2}, out * 0.48 + Vec3{0, 0, -0.1},
                           out * 0.48 + Vec3{0, 0, -0.45}, out * 0.17 + Vec3{0, 0, -0.4}};
        fins.plate(c, normal);
    }

    write3ds::Model model;
    model.materials.push_back({"Coet",
                               {0.3f, 0.3f, 0.3f},
                               {1.0f, 1.0f, 1.0f},
                               {0.9f, 0.9f, 0.9f},
                               50,
                               rocketTextureFile});
    model.materials.push_back(
        {"Aleta", {0.25f, 0.04f, 0.03f}, {0.8f, 0.12f, 0.1f}, {0.5f, 0.5f, 0.5f}, 20, ""});
    model.meshes.push_back(hull.take(true));
    model.meshes.push_back(fins.take(false));
    return model;
}

}  // namespace models
