// The vertex list (0x4110): a u16 count and x, y, z per vertex, copied straight out of the
// mapped file into an array of exactly that size, once the chunk is known to hold them all.
#include "platform/LittleEndian.h"
#include "scene/SceneObject.h"

float* SceneObject::readVertexList(const ChunkHeader& header, std::int32_t& count) {
    const ChunkBounds bounds = chunkBounds(header);
    std::uint16_t n;
    if (bytesLeft(bounds) < 2 || !readU16(n)) return nullptr;
    const std::uint32_t floatCount = static_cast<std::uint32_t>(n) * 3;
    if (bytesLeft(bounds) < floatCount * 4) return nullptr;

    float* vertices = new float[floatCount];
    platform::loadLEFloats(cursor, vertices, floatCount);
    cursor += floatCount * 4;
    count = n;
    return vertices;
}
