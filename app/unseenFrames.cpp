// Unseen frames through the scissor test, which GL 1.1 already has, so the same mechanism serves
// every system: an empty box culls every primitive and every clear before a pixel is touched.
#include "app/unseenFrames.h"

#include "platform/GL.h"

namespace {

GLint savedBox[4] = {0, 0, 0, 0};
GLboolean savedTest = GL_FALSE;
bool unseenNow = false;

}  // namespace

void drawUnseen(bool unseen) {
    if (unseen == unseenNow) return;
    unseenNow = unseen;
    if (unseen) {
        savedTest = glIsEnabled(GL_SCISSOR_TEST);
        glGetIntegerv(GL_SCISSOR_BOX, savedBox);
        glScissor(0, 0, 0, 0);
        glEnable(GL_SCISSOR_TEST);
    } else {
        glScissor(savedBox[0], savedBox[1], savedBox[2], savedBox[3]);
        if (savedTest)
            glEnable(GL_SCISSOR_TEST);
        else
            glDisable(GL_SCISSOR_TEST);
    }
}
