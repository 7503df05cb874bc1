// The frame dispatcher. For now it clears the screen; the scenes come with the show itself.
#include "director/Director.h"

#include "platform/GL.h"

bool drawFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return true;
}
