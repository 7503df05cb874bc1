// libFuzzer harness for the recorded-attitude reader: any bytes as seq1.dat are read record by
// record to the end; every angle must stay finite and a read past the end must change nothing.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/Objects.h"
#include "director/Director.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;  // fmemopen refuses an empty buffer
    seqFile = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (seqFile == nullptr) std::abort();
    recordedRotation = {0.0f, 0.0f, 0.0f};
    for (std::size_t record = 0; record <= size / 12 + 1; ++record) {
        readSequenceRecord();
        if (!std::isfinite(recordedRotation.x) || !std::isfinite(recordedRotation.y) ||
            !std::isfinite(recordedRotation.z))
            std::abort();
    }
    const Point3 atEnd = recordedRotation;
    readSequenceRecord();
    if (recordedRotation.x != atEnd.x || recordedRotation.y != atEnd.y ||
        recordedRotation.z != atEnd.z)
        std::abort();
    std::fclose(seqFile);
    seqFile = nullptr;
    return 0;
}
