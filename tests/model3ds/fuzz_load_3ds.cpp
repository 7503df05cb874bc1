// libFuzzer harness for the 3DS loader: any bytes as a model file. The loader must neither read
// outside the file nor leak; whatever it kept is drawn nowhere but released here.
#include <cstdint>
#include <cstdio>

#include "FuzzFile.h"
#include "scene/SceneObject.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = fuzzing::scratchFile("orbek-fuzz-3ds-");
    if (!fuzzing::writeInput(path, data, size)) return 0;
    SceneObject object;
    object.setTextureFolder("/nonexistent-texture-folder/");
    object.load(path.c_str());
    object.destroyItems();
    return 0;
}
