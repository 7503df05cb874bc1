// libFuzzer harness for the recorded-attitude reader: any bytes as seq1.dat, applied record by
// record in memory as the file is read; every angle must stay finite and nothing past the end may
// change them.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "director/Director.h"

namespace {

bool finite(const Point3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Point3 rotation{0.0f, 0.0f, 0.0f};
    for (std::size_t at = 0; at < size; at += 12) {
        applySequenceRecord(data + at, size - at < 12 ? size - at : 12, rotation);
        if (!finite(rotation)) std::abort();
    }
    const Point3 atEnd = rotation;
    applySequenceRecord(data + size, 0, rotation);
    if (rotation.x != atEnd.x || rotation.y != atEnd.y || rotation.z != atEnd.z) std::abort();
    return 0;
}
