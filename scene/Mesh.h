// One named object of a model: client-side vertex, index and texture-coordinate arrays drawn as a
// single indexed triangle batch after its material. Faces always index inside the vertex array
// (the loader guarantees it), so drawing never reads past an array.
#pragma once

#include <cstdint>

class Material;

class Mesh {
public:
    Mesh();
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;
    virtual ~Mesh();  // frees the arrays and the name, never the material

    // Material, then one glDrawElements over the arrays; nothing at all without vertices or faces.
    void draw();

    char* name;  // 256-byte buffer, owned; the mesh's key in its object's meshes list
    std::int32_t faceCount;
    std::int32_t vertexCount;
    std::uint16_t* faces;        // 3 per triangle
    float* vertices;             // 3 per vertex
    float* normals;              // 3 per vertex; never filled by the loader
    float* texCoords;            // 2 per vertex
    Material* material;          // not owned
    std::int32_t texCoordCount;  // pairs in texCoords; at least vertexCount whenever present
};
