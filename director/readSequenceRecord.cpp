// The recorded attitude: headerless 12-byte records of little-endian floats (rotation about X, Y
// and Z), read in three separate 4-byte reads so a short last record keeps what it cannot give.
#include <cmath>

#include "app/Objects.h"
#include "director/Director.h"
#include "platform/LittleEndian.h"

namespace {

void readAngle(float& angle) {
    unsigned char bytes[4];
    if (seqFile == nullptr || std::fread(bytes, 1, 4, seqFile) != 4) return;
    const float value = platform::loadLEFloat(bytes);
    if (std::isfinite(value))
        angle = value;  // a damaged record must not turn the aeroplane into NaN
}

}  // namespace

void readSequenceRecord() {
    readAngle(recordedRotation.x);
    readAngle(recordedRotation.y);
    readAngle(recordedRotation.z);
}
