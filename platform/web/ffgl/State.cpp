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

void changedLighting() {
    if (theState.enables & capLighting) changed();
}

}  // namespace ffgl
