// Grid meshes for the comparison files and the benchmark: n x n vertices, 2 (n-1)^2 triangles,
// with mapping coordinates, so size scales without hand-written data.
#pragma once

#include <string>

#include "tools/write3ds/Writer3ds.h"

namespace models {

inline write3ds::MeshDesc gridMesh(const std::string& name, int n, float z,
                                   const std::string& material) {
    write3ds::MeshDesc mesh;
    mesh.name = name;
    mesh.material = material;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            mesh.vertices.insert(mesh.vertices.end(),
                                 {static_cast<float>(x), static_cast<float>(y), z});
            mesh.texCoords.insert(mesh.texCoords.end(),
                                  {x / static_cast<float>(n - 1), y / static_cast<float>(n - 1)});
        }
    }
    for (int y = 0; y + 1 < n; ++y) {
        for (int x = 0; x + 1 < n; ++x) {
            const auto i = static_cast<std::uint16_t>(y * n + x);
            const auto right = static_cast<std::uint16_t>(i + 1),
                       up = static_cast<std::uint16_t>(i + n),
                       diagonal = static_cast<std::uint16_t>(i + n + 1);
            mesh.faces.insert(mesh.faces.end(), {i, right, diagonal, i, diagonal, up});
        }
    }
    return mesh;
}

}  // namespace models
