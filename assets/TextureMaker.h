// The texture bitmaps of our models and of the flag, drawn in code. Every size is a power of two
// and a multiple of four wide, so the texture upload needs no special row alignment.
#pragma once

#include "assets/BmpWriter.h"

// Metal panels of the tube's inside with a bright ring band; u runs round the tube, v along it.
RgbImage makeTubeTexture();
// The earth, equirectangular: u is longitude, v latitude from the south pole (v 0) to the north.
RgbImage makeEarthTexture();
// Our flag: u runs down the pole from its top, v away from the pole (the cloth's mapping).
RgbImage makeFlagTexture();
// Brushed steel for the flag pole; u runs round the pole.
RgbImage makePoleTexture();
// The aeroplane's skin: u round the fuselage (0.25 on top), v from tail (0) to nose (1), with the
// light from above baked in since the demo draws without lighting.
RgbImage makePlaneTexture();
// Wing and tail panels: u spanwise, v chordwise; the upper half of v is the lit upper surface.
RgbImage makeWingTexture();
// The rocket: u round the body (0.25 on top), v from tail (0) to nose tip (1).
RgbImage makeRocketTexture();
