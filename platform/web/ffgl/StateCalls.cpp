// Enables and the fixed-function settings: each is checked as GL checks it, kept in a list
// being compiled, and otherwise stored; a value that does not change leaves queued draws free
// to join (a particle's glDisable(GL_TEXTURE_2D) costs nothing). Clears are queued like draws.
#include "Errors.h"
#include "Frame.h"
#include "Lists.h"
#include "Materials.h"

using namespace ffgl;

namespace {

void setCapability(const char* call, GLenum capability, bool on) {
    const std::uint32_t bit = capabilityBit(capability);
    if (bit == 0) return refuse(call, GL_INVALID_ENUM, "a capability this layer does not have");
    State& s = state();
    if (((s.enables & bit) != 0) == on) return;
    s.enables ^= bit;
    // Colour material and the lights matter only to lit drawing.
    if (bit == capColorMaterial || bit >= capLight0)
        changedLighting();
    else
        changed();
    if (bit == capColorMaterial && on) trackColour();
}

bool depthFunction(GLenum func) {
    return func >= GL_NEVER && func <= GL_ALWAYS;
}

bool blendSource(GLenum factor) {
    switch (factor) {
        case GL_ZERO:
        case GL_ONE:
        case GL_DST_COLOR:
        case GL_ONE_MINUS_DST_COLOR:
        case GL_SRC_ALPHA:
        case GL_ONE_MINUS_SRC_ALPHA:
        case GL_DST_ALPHA:
        case GL_ONE_MINUS_DST_ALPHA:
        case GL_SRC_ALPHA_SATURATE:
            return true;
        default:
            return false;
    }
}

bool blendDestination(GLenum factor) {
    switch (factor) {
        case GL_ZERO:
        case GL_ONE:
        case GL_SRC_COLOR:
        case GL_ONE_MINUS_SRC_COLOR:
        case GL_SRC_ALPHA:
        case GL_ONE_MINUS_SRC_ALPHA:
        case GL_DST_ALPHA:
        case GL_ONE_MINUS_DST_ALPHA:
            return true;
        default:
            return false;
    }
}

float clamped(double value) {
    return static_cast<float>(value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value));
}

}  // namespace

void ffglEnable(GLenum capability) {
    if (!outsideBeginEnd("glEnable") || recorded(Op::enable, capability)) return;
    setCapability("glEnable", capability, true);
}

void ffglDisable(GLenum capability) {
    if (!outsideBeginEnd("glDisable") || recorded(Op::disable, capability)) return;
    setCapability("glDisable", capability, false);
}

void ffglViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (!outsideBeginEnd("glViewport") || recorded(Op::viewport, x, y, width, height)) return;
    if (width < 0 || height < 0)
        return refuse("glViewport", GL_INVALID_VALUE, "a negative width or height");
    GLint* v = state().viewport;
    if (v[0] == x && v[1] == y && v[2] == width && v[3] == height) return;
    v[0] = x;
    v[1] = y;
    v[2] = width;
    v[3] = height;
    changed();
}

void ffglScissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (!outsideBeginEnd("glScissor") || recorded(Op::scissor, x, y, width, height)) return;
    if (width < 0 || height < 0)
        return refuse("glScissor", GL_INVALID_VALUE, "a negative width or height");
    GLint* box = state().scissor;
    if (box[0] == x && box[1] == y && box[2] == width && box[3] == height) return;
    box[0] = x;
    box[1] = y;
    box[2] = width;
    box[3] = height;
    changed();
}

void ffglClear(GLbitfield mask) {
    if (!outsideBeginEnd("glClear") || recorded(Op::clear, mask)) return;
    if (mask & ~static_cast<GLbitfield>(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT))
        return refuse("glClear", GL_INVALID_VALUE, "buffers other than colour and depth");
    if (drawsDropped() || mask == 0) return;
    frame().addClear(mask);
}

void ffglClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    if (!outsideBeginEnd("glClearColor") || recorded(Op::clearColour, red, green, blue, alpha))
        return;
    float* c = state().clearColour;
    c[0] = clamped(red);
    c[1] = clamped(green);
    c[2] = clamped(blue);
    c[3] = clamped(alpha);
}

void ffglClearDepth(GLclampd depth) {
    if (!outsideBeginEnd("glClearDepth") || recorded(Op::clearDepth, depth)) return;
    state().clearDepth = clamped(depth);
}

void ffglDepthFunc(GLenum func) {
    if (!outsideBeginEnd("glDepthFunc") || recorded(Op::depthFunc, func)) return;
    if (!depthFunction(func))
        return refuse("glDepthFunc", GL_INVALID_ENUM, "an unknown comparison");
    if (state().depthFunc == func) return;
    state().depthFunc = func;
    changed();
}

void ffglDepthMask(GLboolean flag) {
    if (!outsideBeginEnd("glDepthMask") || recorded(Op::depthMask, flag)) return;
    if (state().depthMask == (flag != GL_FALSE)) return;
    state().depthMask = flag != GL_FALSE;
    changed();
}

void ffglBlendFunc(GLenum source, GLenum destination) {
    if (!outsideBeginEnd("glBlendFunc") || recorded(Op::blendFunc, source, destination)) return;
    if (!blendSource(source) || !blendDestination(destination))
        return refuse("glBlendFunc", GL_INVALID_ENUM, "a factor GL 1.1 does not have there");
    State& s = state();
    if (s.blendSource == source && s.blendDestination == destination) return;
    s.blendSource = source;
    s.blendDestination = destination;
    changed();
}

void ffglCullFace(GLenum mode) {
    if (!outsideBeginEnd("glCullFace") || recorded(Op::cullFace, mode)) return;
    if (mode != GL_FRONT && mode != GL_BACK && mode != GL_FRONT_AND_BACK)
        return refuse("glCullFace", GL_INVALID_ENUM, "an unknown face");
    if (state().cullFace == mode) return;
    state().cullFace = mode;
    changed();
}

void ffglFrontFace(GLenum mode) {
    if (!outsideBeginEnd("glFrontFace") || recorded(Op::frontFace, mode)) return;
    if (mode != GL_CW && mode != GL_CCW)
        return refuse("glFrontFace", GL_INVALID_ENUM, "an unknown winding");
    if (state().frontFace == mode) return;
    state().frontFace = mode;
    changed();
}

void ffglShadeModel(GLenum mode) {
    if (!outsideBeginEnd("glShadeModel") || recorded(Op::shadeModel, mode)) return;
    if (mode != GL_FLAT && mode != GL_SMOOTH)
        return refuse("glShadeModel", GL_INVALID_ENUM, "an unknown shade model");
    if (state().shadeModel == mode) return;
    state().shadeModel = mode;
    changed();
}

void ffglPointSize(GLfloat size) {
    if (!outsideBeginEnd("glPointSize") || recorded(Op::pointSize, size)) return;
    if (!(size > 0.0f)) return refuse("glPointSize", GL_INVALID_VALUE, "a size of 0 or less");
    if (state().pointSize == size) return;
    state().pointSize = size;
    changed();
}

void ffglHint(GLenum target, GLenum mode) {
    if (!outsideBeginEnd("glHint") || recorded(Op::hint, target, mode)) return;
    if (target < GL_PERSPECTIVE_CORRECTION_HINT || target > GL_FOG_HINT)
        return refuse("glHint", GL_INVALID_ENUM, "an unknown hint");
    if (mode != GL_DONT_CARE && mode != GL_FASTEST && mode != GL_NICEST)
        return refuse("glHint", GL_INVALID_ENUM, "an unknown hint mode");
    // Kept for glGetIntegerv only: WebGL interpolates in perspective and has no smoothing.
    state().hints[target - GL_PERSPECTIVE_CORRECTION_HINT] = mode;
}
