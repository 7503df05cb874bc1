// OpenGL 1.1 and GLU for the drawing code, with whatever this system needs included first.
#pragma once

#if defined(__EMSCRIPTEN__)
// The browser has WebGL 2 only: our GL 1.1 layer stands in for gl.h and glu.h (platform/web/ffgl).
#include "ffgl.h"
#else
#if defined(_WIN32)
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>
#endif
// GL 1.3's query of a framebuffer's samples a pixel, which Windows' GL 1.1 headers lack.
#ifndef GL_SAMPLES
#define GL_SAMPLES 0x80A9
#endif
