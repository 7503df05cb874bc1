// Path files: a single object holding the path's vertices in order and no faces, which is all
// the path reader takes from them.
#include "assets/Models.h"

namespace models {

write3ds::Model makePath(const std::vector<Vec3>& points, const char* name) {
    write3ds::MeshDesc mesh;
    mesh.name = name;
    for (const Vec3& p : points) {
        mesh.vertices.push_back(static_cast<float>(p.x));
        mesh.vertices.push_back(static_cast<float>(p.y));
        mesh.vertices.push_back(static_cast<float>(p.z));
    }
    write3ds::Model model;
    model.meshes.push_back(mesh);
    return model;
}

}  // namespace models
