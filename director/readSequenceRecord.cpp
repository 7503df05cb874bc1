// The recorded attitude: headerless 12-byte records of little-endian floats (rotation about X, Y
// and Z), read one record at a time; a short last record keeps what it cannot give.
#include <cmath>

#include "app/Objects.h"
#include "director/Director.h"
#include "platform/LittleEndian.h"

constexpr std::size_t recordSize = 12;

void applySequenceRecord(const unsigned char* record, std::size_t count, Point3& rotation) {
    float* const angles[] = {&rotation.x, &rotation.y, &rotation.z};
    for (std::size_t i = 0; i < 3 && (i + 1) * 4 <= count; ++i) {
        const float value = platform::loadLEFloat(record + i * 4);
        if (std::isfinite(value))
            *angles[i] = value;  // a damaged record must not turn the aeroplane into NaN
    }
}

void readSequenceRecord() {
    if (seqFile == nullptr) return;
    unsigned char record[recordSize];
    applySequenceRecord(record, std::fread(record, 1, recordSize, seqFile), recordedRotation);
}
