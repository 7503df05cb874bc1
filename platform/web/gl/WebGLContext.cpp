// Making, ending and destroying the WebGL 1 context the emulated GL 1.1 draws into.
// Only for the web build; the frame's pending points are drawn before the browser presents it.
#include "platform/web/gl/WebGL.h"

#include <emscripten/html5.h>

#include "platform/web/gl/ShimState.h"

extern "C" {
void orbekWebglRegister();
void orbekWebglNewFrame();
unsigned long orbekWebglDrawCount();
}

namespace {
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
}

bool webglCreateContext(const char* canvasSelector) {
    if (context) return true;
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.premultipliedAlpha = EM_FALSE;
    attributes.preserveDrawingBuffer = EM_TRUE;
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    context = emscripten_webgl_create_context(canvasSelector, &attributes);
    if (context <= 0) {
        context = 0;
        return false;
    }
    if (emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        emscripten_webgl_destroy_context(context);
        context = 0;
        return false;
    }
    orbekWebglRegister();
    const bool gathering = webgl::state().gatherPoints;
    webgl::resetState();
    webgl::state().gatherPoints = gathering;
    return true;
}

void webglDestroyContext() {
    if (!context) return;
    webgl::flushPoints();
    emscripten_webgl_destroy_context(context);
    context = 0;
}

void webglEndFrame() {
    webgl::flushPoints();
    orbekWebglNewFrame();
}

unsigned long webglDrawCount() {
    return orbekWebglDrawCount();
}

void webglSetPointGathering(bool on) {
    webgl::flushPoints();
    webgl::state().gatherPoints = on;
}
