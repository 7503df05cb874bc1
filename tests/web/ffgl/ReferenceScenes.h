// The scenes drawn both in the browser through ffgl and by the desktop's GL and GLU (Mesa), so the
// browser tests can compare the two pictures: quadrics, every primitive smooth and flat, lighting
// with materials and colour material, the texture environments, blending, culling, depth and
// points. Each draws at the current transform on a cleared canvas and leaves GL's defaults.
#pragma once

#include "platform/GL.h"

struct SceneTextures {
    GLuint twoTexels;  // 2 x 1 RGB, left texel red and right texel green, nearest
    GLuint alphaGrid;  // 2 x 2 RGBA with four alphas, nearest
};

struct ReferenceScene {
    const char* name;
    void (*draw)(GLUquadric* quadric, const SceneTextures& textures);
};

// The scenes, ending with an entry whose name is null.
extern const ReferenceScene referenceScenes[];

// The frame every picture of the tests starts from: a size x size viewport cleared to black with
// depth 1, -1..1 on both axes, identity model-view.
void startTestFrame(int size);

SceneTextures makeSceneTextures();
