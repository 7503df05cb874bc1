// One percentage sub-chunk, as a fraction: whole percent divided by 100, or a float as it stands.
// Any other chunk where a percentage belongs is stepped over and reported as a failure.
#include "scene/SceneObject.h"

bool SceneObject::readPercentage(double& percentage) {
    ChunkHeader header;
    if (!readChunkHeader(header)) return false;
    switch (header.id) {
        case chunk::percentInt: {
            std::uint16_t whole;
            if (!readU16(whole)) return false;
            percentage = whole / 100.0;
            return true;
        }
        case chunk::percentFloat: {
            float fraction;
            if (!readFloat(fraction)) return false;
            percentage = fraction;
            return true;
        }
        default:
            skipChunk(header);
            return false;
    }
}
