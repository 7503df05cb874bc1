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
