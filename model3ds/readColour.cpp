// One colour sub-chunk: float components as they stand, byte components scaled to 0..1. Any other
// chunk where a colour belongs is stepped over and reported as a failure.
#include "scene/SceneObject.h"

bool SceneObject::readColour(float& r, float& g, float& b) {
    ChunkHeader header;
    if (!readChunkHeader(header)) return false;
    switch (header.id) {
        case chunk::colourFloat:
        case chunk::linearColourFloat:
            return readFloat(r) && readFloat(g) && readFloat(b);
        case chunk::colour24:
        case chunk::linearColour24: {
            std::uint8_t red, green, blue;
            if (!readByte(red) || !readByte(green) || !readByte(blue)) return false;
            r = static_cast<float>(red / 255.0);
            g = static_cast<float>(green / 255.0);
            b = static_cast<float>(blue / 255.0);
            return true;
        }
        default:
            skipChunk(header);
            return false;
    }
}
