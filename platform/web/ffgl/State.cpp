// The one context's state and its reset to GL's initial values.
#include "State.h"

namespace ffgl {

State theState;

void resetState() {
    theState = State{};
}

Matrix& currentMatrix() {
    return currentStack().back();
}

std::vector<Matrix>& currentStack() {
    return theState.matrixMode == GL_PROJECTION ? theState.projection : theState.modelview;
}

std::uint32_t capabilityBit(GLenum capability) {
    switch (capability) {
        case GL_DEPTH_TEST:
            return capDepthTest;
        case GL_BLEND:
            return capBlend;
        case GL_CULL_FACE:
            return capCullFace;
        case GL_DITHER:
            return capDither;
        case GL_TEXTURE_2D:
            return capTexture2D;
        case GL_LIGHTING:
            return capLighting;
        case GL_COLOR_MATERIAL:
            return capColorMaterial;
        case GL_SCISSOR_TEST:
            return capScissorTest;
        default:
            if (capability >= GL_LIGHT0 && capability < GL_LIGHT0 + lightCount)
                return capLight0 << (capability - GL_LIGHT0);
            return 0;
    }
}

void changedLighting() {
    if (theState.enables & capLighting) changed();
}

}  // namespace ffgl
