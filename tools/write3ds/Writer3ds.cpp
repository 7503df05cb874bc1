// Binary 3DS output for tests and the asset generator: the chunk layout that modelling programs
// write (mesh data before faces, colours as a 24-bit colour plus its gamma twin, integer
// percentages), little-endian whatever the host. Invalid models give no file at all.
#include "tools/write3ds/Writer3ds.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace write3ds {

namespace {

constexpr std::uint16_t idMain = 0x4D4D;
constexpr std::uint16_t idVersion = 0x0002;
constexpr std::uint16_t idEditor = 0x3D3D;
constexpr std::uint16_t idMeshVersion = 0x3D3E;
constexpr std::uint16_t idMasterScale = 0x0100;
constexpr std::uint16_t idMaterial = 0xAFFF;
constexpr std::uint16_t idMaterialName = 0xA000;
constexpr std::uint16_t idAmbient = 0xA010;
constexpr std::uint16_t idDiffuse = 0xA020;
constexpr std::uint16_t idSpecular = 0xA030;
constexpr std::uint16_t idShininess = 0xA040;
constexpr std::uint16_t idTextureMap = 0xA200;
constexpr std::uint16_t idMapFileName = 0xA300;
constexpr std::uint16_t idColour24 = 0x0011;
constexpr std::uint16_t idLinearColour24 = 0x0012;
constexpr std::uint16_t idPercentInt = 0x0030;
constexpr std::uint16_t idNamedObject = 0x4000;
constexpr std::uint16_t idTriangleMesh = 0x4100;
constexpr std::uint16_t idVertexList = 0x4110;
constexpr std::uint16_t idFaceList = 0x4120;
constexpr std::uint16_t idMaterialGroup = 0x4130;
constexpr std::uint16_t idMappingCoords = 0x4140;
constexpr std::uint16_t idLocalAxes = 0x4160;

constexpr std::uint32_t fileVersion = 3;
constexpr std::uint32_t meshVersion = 3;
constexpr std::uint16_t faceFlags = 0x0007;  // all three edges visible
constexpr std::size_t maxCount = 65535;

std::uint8_t colourByte(float c) {
    if (!(c > 0.0f)) return 0;
    if (c >= 1.0f) return 255;
    return static_cast<std::uint8_t>(std::lround(c * 255.0f));
}

void colourChunk(ChunkWriter& w, std::uint16_t id, const Colour& c) {
    w.begin(id);
    for (std::uint16_t kind : {idColour24, idLinearColour24}) {
        w.begin(kind);
        w.u8(colourByte(c.r));
        w.u8(colourByte(c.g));
        w.u8(colourByte(c.b));
        w.end();
    }
    w.end();
}

void material(ChunkWriter& w, const MaterialDesc& m) {
    w.begin(idMaterial);
    w.begin(idMaterialName);
    w.str(m.name);
    w.end();
    colourChunk(w, idAmbient, m.ambient);
    colourChunk(w, idDiffuse, m.diffuse);
    colourChunk(w, idSpecular, m.specular);
    w.begin(idShininess);
    w.begin(idPercentInt);
    const int percent =
        m.shininessPercent < 0 ? 0 : (m.shininessPercent > 100 ? 100 : m.shininessPercent);
    w.u16(static_cast<std::uint16_t>(percent));
    w.end();
    w.end();
    if (!m.textureFile.empty()) {
        w.begin(idTextureMap);
        w.begin(idPercentInt);
        w.u16(100);
        w.end();
        w.begin(idMapFileName);
        w.str(m.textureFile);
        w.end();
        w.end();
    }
    w.end();
}

void mesh(ChunkWriter& w, const MeshDesc& m) {
    const std::size_t vertexCount = m.vertices.size() / 3;
    const std::size_t faceCount = m.faces.size() / 3;
    w.begin(idNamedObject);
    w.str(m.name);
    w.begin(idTriangleMesh);

    w.begin(idVertexList);
    w.u16(static_cast<std::uint16_t>(vertexCount));
    for (std::size_t i = 0; i < vertexCount * 3; ++i) w.f32(m.vertices[i]);
    w.end();

    if (!m.texCoords.empty()) {
        w.begin(idMappingCoords);
        const std::size_t pairs = m.texCoords.size() / 2;
        w.u16(static_cast<std::uint16_t>(pairs));
        for (std::size_t i = 0; i < pairs * 2; ++i) w.f32(m.texCoords[i]);
        w.end();
    }

    // Identity local axes: some readers expect them before the faces.
    w.begin(idLocalAxes);
    const float axes[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    for (float f : axes) w.f32(f);
    w.end();

    w.begin(idFaceList);
    w.u16(static_cast<std::uint16_t>(faceCount));
    for (std::size_t i = 0; i < faceCount; ++i) {
        w.u16(m.faces[i * 3 + 0]);
        w.u16(m.faces[i * 3 + 1]);
        w.u16(m.faces[i * 3 + 2]);
        w.u16(faceFlags);
    }
    if (!m.material.empty()) {
        w.begin(idMaterialGroup);
        w.str(m.material);
        w.u16(static_cast<std::uint16_t>(faceCount));
        for (std::size_t i = 0; i < faceCount; ++i) w.u16(static_cast<std::uint16_t>(i));
        w.end();
    }
    w.end();

    w.end();
    w.end();
}

bool valid(const Model& model) {
    for (const MeshDesc& m : model.meshes) {
        if (m.vertices.size() % 3 != 0 || m.faces.size() % 3 != 0 || m.texCoords.size() % 2 != 0)
            return false;
        if (m.vertices.size() / 3 > maxCount || m.faces.size() / 3 > maxCount ||
            m.texCoords.size() / 2 > maxCount)
            return false;
    }
    return true;
}

}  // namespace

void ChunkWriter::begin(std::uint16_t id) {
    openChunks.push_back(output.size());
    u16(id);
    u32(0);
}

void ChunkWriter::end() {
    if (openChunks.empty()) return;
    const std::size_t start = openChunks.back();
    openChunks.pop_back();
    const std::uint32_t length = static_cast<std::uint32_t>(output.size() - start);
    for (int i = 0; i < 4; ++i)
        output[start + 2 + i] = static_cast<std::uint8_t>(length >> (8 * i));
}

void ChunkWriter::u8(std::uint8_t v) {
    output.push_back(v);
}

void ChunkWriter::u16(std::uint16_t v) {
    output.push_back(static_cast<std::uint8_t>(v));
    output.push_back(static_cast<std::uint8_t>(v >> 8));
}

void ChunkWriter::u32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) output.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ChunkWriter::f32(float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    u32(bits);
}

void ChunkWriter::str(const std::string& s) {
    raw(s.c_str(), s.size() + 1);
}

void ChunkWriter::raw(const void* data, std::size_t size) {
    const std::uint8_t* p = static_cast<const std::uint8_t*>(data);
    output.insert(output.end(), p, p + size);
}

std::vector<std::uint8_t> encode(const Model& model) {
    if (!valid(model)) return {};
    ChunkWriter w;
    w.begin(idMain);
    w.begin(idVersion);
    w.u32(fileVersion);
    w.end();
    w.begin(idEditor);
    w.begin(idMeshVersion);
    w.u32(meshVersion);
    w.end();
    for (const MaterialDesc& m : model.materials) material(w, m);
    w.begin(idMasterScale);
    w.f32(1.0f);
    w.end();
    for (const MeshDesc& m : model.meshes) mesh(w, m);
    w.end();
    w.end();
    return w.bytes();
}

bool writeFile(const std::string& path, const Model& model) {
    const std::vector<std::uint8_t> bytes = encode(model);
    if (bytes.empty()) return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace write3ds
