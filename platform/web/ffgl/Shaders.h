// The GLSL ES 3.00 programs that stand in for GL 1.1's fixed-function pipeline, one per variant
// (Frame.h's Variant bits), with their uniform locations. Internal to ffgl.
#pragma once

#include <cstdint>

namespace ffgl {

// Where the renderer binds each vertex attribute.
enum AttributeLocation : unsigned {
    attributePosition = 0,
    attributeColour = 1,
    attributeNormal = 2,
    attributeTexCoord = 3,
};

struct Program {
    unsigned name = 0;
    int mvp = -1, pointSize = -1, viewport = -1, textureHasAlpha = -1;
    int normalMatrix = -1, ambient = -1, diffuse = -1, specular = -1, emission = -1, shininess = -1,
        tracking = -1, light0 = -1;
    const void* uploaded = nullptr;  // the draw state whose uniforms the program holds
};

// Compiles and links the variant's program in the current context; name 0 when that fails.
Program buildProgram(std::uint8_t variant);

}  // namespace ffgl
