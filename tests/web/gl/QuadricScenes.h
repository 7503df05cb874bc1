// The quadric scenes drawn both in the browser and by the desktop GL and GLU, so the node driver
// can compare the two pictures. Each draws at the current transform on a cleared canvas.
#pragma once

#include "platform/GL.h"

struct QuadricScene {
    const char* name;
    void (*draw)(GLUquadric* quadric, GLuint texture);
};

// The scenes, ending with an entry whose name is null.
extern const QuadricScene quadricScenes[];

// The frame every picture of the tests starts from: a size x size viewport cleared to black with
// depth 1, -1..1 on both axes, identity model-view.
void startTestFrame(int size);

// A 2 x 1 texture, left texel red and right texel green, sampled nearest.
GLuint makeTwoTexelTexture();
