// libFuzzer harness for the bitmap reader: any bytes as a BMP file, through the header checks and
// the platform's converter. Seed it with a few real bitmaps for depth.
#include <cstdint>

#include "../model3ds/FuzzFile.h"
#include "scene/loadBitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = fuzzing::scratchFile("orbek-fuzz-bmp-");
    if (!fuzzing::writeInput(path, data, size)) return 0;
    releaseBitmap(loadBitmap(path.c_str()));
    return 0;
}
