// Mapping coordinates (0x4140): a u16 count and u, v per vertex, copied into an array of exactly
// that size once the chunk is known to hold them all; a later list replaces this one.
#include "platform/LittleEndian.h"
#include "scene/Mesh.h"
#include "scene/SceneObject.h"

bool SceneObject::readMappingCoords(const ChunkHeader& header, Mesh* mesh) {
    const ChunkBounds bounds = chunkBounds(header);
    std::uint16_t n;
    if (bytesLeft(bounds) < 2 || !readU16(n)) return false;
    const std::uint32_t floatCount = static_cast<std::uint32_t>(n) * 2;
    if (bytesLeft(bounds) < floatCount * 4) return false;

    float* texCoords = new float[floatCount];
    platform::loadLEFloats(cursor, texCoords, floatCount);
    cursor += floatCount * 4;
    delete[] mesh->texCoords;
    mesh->texCoords = texCoords;
    mesh->texCoordCount = n;
    return true;
}
