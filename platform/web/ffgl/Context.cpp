// The layer's own calls: the WebGL 2 context on a canvas, the end of a frame, the draw count
// and the mode that drops draws while keeping every state change.
#include <emscripten/html5.h>

#include "Frame.h"
#include "Lists.h"
#include "Renderer.h"

using namespace ffgl;

namespace {

EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;

void forgetTextures() {
    for (auto& named : state().textures) renderer::deleteTexture(named.second.webglName);
    state().textures.clear();
}

}  // namespace

bool ffglCreateContext(const char* canvasSelector, const FfglContextOptions& options) {
    if (context) return false;
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = options.antialias ? EM_TRUE : EM_FALSE;
    attributes.premultipliedAlpha = EM_FALSE;
    attributes.preserveDrawingBuffer = options.preserveDrawingBuffer ? EM_TRUE : EM_FALSE;
    attributes.majorVersion = 2;
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
    resetState();
    frame().clear();
    if (!renderer::start()) {
        renderer::stop();
        emscripten_webgl_destroy_context(context);
        context = 0;
        return false;
    }
    // GL's first viewport and scissor box are the whole drawing surface.
    int width = 0, height = 0;
    emscripten_webgl_get_drawing_buffer_size(context, &width, &height);
    state().viewport[2] = state().scissor[2] = width;
    state().viewport[3] = state().scissor[3] = height;
    return true;
}

void ffglDestroyContext() {
    if (!context) return;
    frame().clear();
    deleteAllLists();
    forgetTextures();
    renderer::stop();
    emscripten_webgl_destroy_context(context);
    context = 0;
    resetState();
}

void ffglEndFrame() {
    if (context) frame().submit();
}

void ffglDiscardDraws(bool discard) {
    state().discarding = discard;
}

bool ffglDiscardingDraws() {
    return state().discarding;
}

unsigned long ffglDrawCount() {
    return renderer::drawCount();
}
