// Chunk headers, bounds and skipping: the steps every handler walks its children with. A chunk
// may never claim to end beyond the file, and a skip always moves forward, so walks end.
#include "scene/SceneObject.h"

bool SceneObject::readChunkHeader(ChunkHeader& header) {
    if (!cursor || cursor >= viewEnd ||
        static_cast<std::size_t>(viewEnd - cursor) < chunk::headerSize)
        return false;
    const unsigned char* start = cursor;
    if (!readU16(header.id) || !readU32(header.length)) return false;
    if (header.length > static_cast<std::size_t>(viewEnd - start)) return false;
    return true;
}

ChunkBounds SceneObject::chunkBounds(const ChunkHeader& header) {
    ChunkBounds bounds;
    bounds.start = cursor - chunk::headerSize;
    const std::size_t available = static_cast<std::size_t>(viewEnd - bounds.start);
    bounds.end = bounds.start + (header.length < available ? header.length : available);
    return bounds;
}

std::uint32_t SceneObject::bytesLeft(const ChunkBounds& bounds) const {
    return cursor < bounds.end ? static_cast<std::uint32_t>(bounds.end - cursor) : 0;
}

bool SceneObject::skipChunk(const ChunkHeader& header) {
    if (header.length < chunk::headerSize) return false;
    const unsigned char* start = cursor - chunk::headerSize;
    if (header.length > static_cast<std::size_t>(viewEnd - start)) return false;
    cursor = start + header.length;
    return true;
}

bool chunk::isTextureMap(std::uint16_t id) {
    switch (id) {
        case 0xA200:
        case 0xA204:
        case 0xA210:
        case 0xA220:
        case 0xA230:
        case 0xA33A:
        case 0xA33C:
        case 0xA33D:
        case 0xA33E:
        case 0xA340:
        case 0xA342:
        case 0xA344:
        case 0xA346:
        case 0xA348:
        case 0xA34A:
        case 0xA34C:
            return true;
        default:
            return false;
    }
}
