// Mesh assembly. Vertex positions are rounded to single precision here, once, the way the 3DS
// file stores them.
#include "assets/MeshBuilder.h"

#include <cmath>
#include <stdexcept>

MeshBuilder::MeshBuilder(std::string name, std::string material) {
    mesh.name = std::move(name);
    mesh.material = std::move(material);
}

std::uint16_t MeshBuilder::vertex(const MeshVertex& v) {
    const std::size_t index = vertexCount();
    if (index > 0xFFFF)
        throw std::length_error("mesh " + mesh.name + " has more vertices than 16-bit faces reach");
    mesh.vertices.push_back(static_cast<float>(v.position.x));
    mesh.vertices.push_back(static_cast<float>(v.position.y));
    mesh.vertices.push_back(static_cast<float>(v.position.z));
    mesh.texCoords.push_back(static_cast<float>(v.u));
    mesh.texCoords.push_back(static_cast<float>(v.v));
    return static_cast<std::uint16_t>(index);
}

void MeshBuilder::triangle(std::uint16_t a, std::uint16_t b, std::uint16_t c) {
    mesh.faces.push_back(a);
    mesh.faces.push_back(b);
    mesh.faces.push_back(c);
}

void MeshBuilder::quad(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c,
                       const MeshVertex& d) {
    const std::uint16_t ia = vertex(a), ib = vertex(b), ic = vertex(c), id = vertex(d);
    triangle(ia, ib, ic);
    triangle(ia, ic, id);
}

void MeshBuilder::grid(int rows, int columns, const std::function<MeshVertex(int, int)>& at) {
    const std::size_t first = vertexCount();
    for (int r = 0; r <= rows; ++r)
        for (int c = 0; c <= columns; ++c) vertex(at(r, c));
    const auto index = [&](int r, int c) {
        return static_cast<std::uint16_t>(first + static_cast<std::size_t>(r) * (columns + 1) + c);
    };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            triangle(index(r, c), index(r, c + 1), index(r + 1, c + 1));
            triangle(index(r, c), index(r + 1, c + 1), index(r + 1, c));
        }
}

void MeshBuilder::lathe(const Vec3& origin, const Vec3& axis, const Vec3& side, const Vec3& up,
                        const std::vector<Vec3>& profile, int segments) {
    grid(static_cast<int>(profile.size()) - 1, segments, [&](int r, int c) {
        const Vec3& p = profile[static_cast<std::size_t>(r)];
        const double u = static_cast<double>(c) / segments;
        const double a = u * (2.0 * pi);
        const Vec3 position = origin + axis * p.x + (side * std::cos(a) + up * std::sin(a)) * p.y;
        return MeshVertex{position, u, p.z};
    });
}

void MeshBuilder::plate(const Vec3 outline[4], const Vec3& halfThickness) {
    Vec3 lower[4], upper[4];
    for (int i = 0; i < 4; ++i) {
        lower[i] = outline[i] - halfThickness;
        upper[i] = outline[i] + halfThickness;
    }
    // Upper face on the lit half of the texture (v 0.5..1), lower face on the dark half.
    quad({upper[0], 0, 0.5}, {upper[1], 1.0, 0.5}, {upper[2], 1.0, 1.0}, {upper[3], 0, 1.0});
    quad({lower[0], 0, 0.0}, {lower[3], 0, 0.5}, {lower[2], 1.0, 0.5}, {lower[1], 1.0, 0.0});
    for (int e = 0; e < 4; ++e) {
        const int n = (e + 1) % 4;
        quad({lower[e], 0, 0.45}, {lower[n], 1.0, 0.45}, {upper[n], 1.0, 0.55},
             {upper[e], 0, 0.55});
    }
}

write3ds::MeshDesc MeshBuilder::take(bool withTexCoords) {
    if (!withTexCoords) mesh.texCoords.clear();
    return std::move(mesh);
}
