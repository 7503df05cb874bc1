// The recorded attitude: headerless 12-byte records of little-endian floats (rotation about X, Y
// and Z), read in three separate 4-byte reads so a short last record keeps what it cannot give.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "app/Objects.h"
#include "director/Director.h"

namespace {

void readAngle(float& angle) {
    unsigned char bytes[4];
    if (seqFile == nullptr || std::fread(bytes, 1, 4, seqFile) != 4) return;
    std::uint32_t bits = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value)) angle = value;  // a damaged record must not turn the aeroplane into NaN
}

}  // namespace

void readSequenceRecord() {
    readAngle(recordedRotation.x);
    readAngle(recordedRotation.y);
    readAngle(recordedRotation.z);
}
