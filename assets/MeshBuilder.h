// Builds one 3DS mesh from vertices with mapping coordinates and triangles, with the surfaces our
// models are made of: grids (tubes, spheres, bodies of revolution) and flat quads. It never makes
// a mesh with more vertices than the 16-bit face indices can reach.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "assets/Vec3.h"
#include "tools/write3ds/Writer3ds.h"

struct MeshVertex {
    Vec3 position;
    double u = 0, v = 0;
};

class MeshBuilder {
public:
    MeshBuilder(std::string name, std::string material);

    std::uint16_t vertex(const MeshVertex& v);
    void triangle(std::uint16_t a, std::uint16_t b, std::uint16_t c);
    // Two triangles a-b-c and a-c-d; each quad gets vertices of its own.
    void quad(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c, const MeshVertex& d);
    // (rows + 1) x (columns + 1) vertices from at(row, column), joined by quads.
    void grid(int rows, int columns, const std::function<MeshVertex(int, int)>& at);
    // A body of revolution round axis through origin: profile entries are (distance along the
    // axis, radius, v); u runs round from side (0) over up (0.25).
    void lathe(const Vec3& origin, const Vec3& axis, const Vec3& side, const Vec3& up,
               const std::vector<Vec3>& profile, int segments);
    // A flat plate round the outline (four corners in order): its upper face the outline moved by
    // halfThickness, its lower face moved back by as much, joined by four edge strips.
    void plate(const Vec3 outline[4], const Vec3& halfThickness);

    std::size_t vertexCount() const { return mesh.vertices.size() / 3; }
    write3ds::MeshDesc take(bool withTexCoords);

private:
    write3ds::MeshDesc mesh;
};
