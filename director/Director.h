// The demo director: one call per frame plays the current scene and moves on to the next.
#pragma once

// Draws one frame; false once the last scene has finished.
bool drawFrame();
