// Writes binary 3DS files with the chunks our loader reads: main, editor, named objects with
// triangle meshes (vertices, faces with a material group, mapping coordinates) and materials
// (colours, shininess, texture map). Used by the tests and by the asset generator.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace write3ds {

struct Colour {
    float r = 0, g = 0, b = 0;
};

struct MaterialDesc {
    std::string name;
    Colour ambient, diffuse, specular;
    int shininessPercent = 0;  // 0 to 100
    std::string textureFile;   // bare file name; empty: no texture map
};

struct MeshDesc {
    std::string name;
    std::vector<float> vertices;       // x, y, z per vertex (at most 65,535 vertices)
    std::vector<std::uint16_t> faces;  // a, b, c per triangle
    std::vector<float> texCoords;      // u, v per vertex; empty: none
    std::string material;              // empty: no material group
};

struct Model {
    std::vector<MaterialDesc> materials;
    std::vector<MeshDesc> meshes;
};

// The whole file, little-endian. Empty when a mesh breaks the format's limits (more than 65,535
// vertices, faces or coordinate pairs) or has a partial vertex, face or coordinate tuple; writeFile
// then returns false. Colours are written as 24-bit colours with their gamma twin, so each
// component is rounded to a multiple of 1/255.
std::vector<std::uint8_t> encode(const Model& model);
bool writeFile(const std::string& path, const Model& model);

// Chunk-level writing, for files our encoder would never make (tests of malformed input).
class ChunkWriter {
public:
    void begin(std::uint16_t id);  // opens a chunk; its length is filled in by end()
    void end();
    void u8(std::uint8_t v);
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void f32(float v);
    void str(const std::string& s);  // with its NUL
    void raw(const void* data, std::size_t size);
    const std::vector<std::uint8_t>& bytes() const { return output; }
    std::vector<std::uint8_t>& bytes() { return output; }

private:
    std::vector<std::uint8_t> output;
    std::vector<std::size_t> openChunks;
};

}  // namespace write3ds
