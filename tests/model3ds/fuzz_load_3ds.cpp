// libFuzzer harness for the 3DS loader: any bytes as a model file, read in place as the loader
// reads a mapped file. The loader must neither read outside the bytes nor leak; whatever it kept
// is drawn nowhere but released here.
#include <cstdint>

#include "scene/SceneObject.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SceneObject object;
    object.setTextureFolder("/nonexistent-texture-folder/");
    object.loadBytes(data, size);
    object.destroyItems();
    return 0;
}
