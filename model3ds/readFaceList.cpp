// The face list (0x4120): a u16 count and a, b, c, flags per triangle; the flags are dropped.
// Only the records are consumed: the list's children are met by the triangle-mesh loop.
#include "platform/LittleEndian.h"
#include "scene/SceneObject.h"

// Three vertex indices and a flags word.
constexpr std::uint32_t faceRecordSize = 8;

std::uint16_t* SceneObject::readFaceList(const ChunkHeader& header, std::int32_t& count) {
    const ChunkBounds bounds = chunkBounds(header);
    std::uint16_t n;
    if (bytesLeft(bounds) < 2 || !readU16(n)) return nullptr;
    if (bytesLeft(bounds) < static_cast<std::uint32_t>(n) * faceRecordSize) return nullptr;

    std::uint16_t* faces = new std::uint16_t[static_cast<std::uint32_t>(n) * 3];
    const unsigned char* record = cursor;
    for (std::uint32_t i = 0; i < n; ++i, record += faceRecordSize) {
        faces[i * 3 + 0] = platform::loadLE16(record);
        faces[i * 3 + 1] = platform::loadLE16(record + 2);
        faces[i * 3 + 2] = platform::loadLE16(record + 4);
    }
    cursor = record;
    count = n;
    return faces;
}
