// The star field: small octahedra scattered evenly over a shell, sized with their distance so
// that each covers a few pixels, in three tints. The shell's outer radius keeps every star inside
// the far plane from every camera position the scenes use.
#include <cmath>
#include <string>

#include "assets/AssetRandom.h"
#include "assets/MeshBuilder.h"
#include "assets/Models.h"
#include "assets/Staging.h"

namespace models {

namespace {

void addStar(MeshBuilder& mesh, const Vec3& centre, double size) {
    const Vec3 axes[6] = {{size, 0, 0},  {-size, 0, 0}, {0, size, 0},
                          {0, -size, 0}, {0, 0, size},  {0, 0, -size}};
    std::uint16_t v[6];
    for (int i = 0; i < 6; ++i) v[i] = mesh.vertex({centre + axes[i], 0.5, 0.5});
    const int faces[8][3] = {{0, 2, 4}, {2, 1, 4}, {1, 3, 4}, {3, 0, 4},
                             {2, 0, 5}, {1, 2, 5}, {3, 1, 5}, {0, 3, 5}};
    for (const auto& f : faces) mesh.triangle(v[f[0]], v[f[1]], v[f[2]]);
}

}  // namespace

write3ds::Model makeStars() {
    struct Tint {
        const char* name;
        write3ds::Colour colour;
        int count;
    };
    const Tint tints[] = {{"Blanca", {1.0f, 1.0f, 1.0f}, 520},
                          {"Blava", {0.75f, 0.85f, 1.0f}, 240},
                          {"Groga", {1.0f, 0.9f, 0.65f}, 140}};
    AssetRandom random(4242);
    write3ds::Model model;
    for (const Tint& tint : tints) {
        MeshBuilder mesh(std::string("E") + tint.name,
                         tint.name);  // 3DS object names hold 10 characters
        for (int i = 0; i < tint.count; ++i) {
            const double z = random.range(-1.0, 1.0);
            const double a = random.range(0.0, 2.0 * pi);
            const double ring = std::sqrt(1.0 - z * z);
            const double r = random.range(staging::starInnerRadius, staging::starOuterRadius - 0.5);
            const bool bright = random.uniform() < 0.06;
            const double size = r * random.range(0.0022, 0.0034) * (bright ? 1.8 : 1.0);
            addStar(mesh, Vec3{ring * std::cos(a), ring * std::sin(a), z} * r, size);
        }
        model.materials.push_back({tint.name, tint.colour, tint.colour, tint.colour, 0, ""});
        model.meshes.push_back(mesh.take(false));
    }
    return model;
}

}  // namespace models
