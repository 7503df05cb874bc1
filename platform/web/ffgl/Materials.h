// The current colour as glColor sets it, and the material property that follows it while
// GL_COLOR_MATERIAL is on. Internal to ffgl.
#pragma once

namespace ffgl {

void setCurrentColour(float red, float green, float blue, float alpha);
// Copies the current colour into the property glColorMaterial chose, when GL_COLOR_MATERIAL is on.
void trackColour();

}  // namespace ffgl
