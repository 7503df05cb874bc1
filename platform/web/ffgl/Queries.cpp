// What a program may ask: the error, the enables and the state this layer keeps, and the pixels
// (which first need the frame's queued draws made). One table of values serves both glGet calls.
#include <cstring>

#include "Errors.h"
#include "Frame.h"
#include "Lists.h"
#include "Renderer.h"

using namespace ffgl;

namespace {

bool clientArrayEnabled(GLenum array, bool* enabled) {
    const State& s = state();
    switch (array) {
        case GL_VERTEX_ARRAY:
            *enabled = s.vertexArray.enabled;
            return true;
        case GL_NORMAL_ARRAY:
            *enabled = s.normalArray.enabled;
            return true;
        case GL_TEXTURE_COORD_ARRAY:
            *enabled = s.texCoordArray.enabled;
            return true;
        default:
            return false;
    }
}

bool capabilityEnabled(GLenum capability, bool* enabled) {
    const std::uint32_t bit = capabilityBit(capability);
    if (bit == 0) return clientArrayEnabled(capability, enabled);
    *enabled = (state().enables & bit) != 0;
    return true;
}

// The value of name into out; its count, or 0 for a name this layer does not answer.
int query(GLenum name, double out[16]) {
    const State& s = state();
    auto copy = [out](const auto* values, int count) {
        for (int i = 0; i < count; ++i) out[i] = values[i];
        return count;
    };
    auto one = [out](double value) {
        out[0] = value;
        return 1;
    };
    bool enabled = false;
    if (capabilityEnabled(name, &enabled)) return one(enabled ? 1 : 0);
    switch (name) {
        case GL_MODELVIEW_MATRIX:
            return copy(s.modelview.back().m, 16);
        case GL_PROJECTION_MATRIX:
            return copy(s.projection.back().m, 16);
        case GL_CURRENT_COLOR:
            return copy(s.current.colour, 4);
        case GL_CURRENT_NORMAL:
            return copy(s.current.normal, 3);
        case GL_CURRENT_TEXTURE_COORDS: {
            const float texCoord[4] = {s.current.texCoord[0], s.current.texCoord[1], 0.0f, 1.0f};
            return copy(texCoord, 4);
        }
        case GL_CURRENT_RASTER_POSITION: {
            const float raster[4] = {s.current.raster[0], s.current.raster[1], 0.0f, 1.0f};
            return copy(raster, 4);
        }
        case GL_POINT_SIZE:
            return one(s.pointSize);
        case GL_COLOR_CLEAR_VALUE:
            return copy(s.clearColour, 4);
        case GL_DEPTH_CLEAR_VALUE:
            return one(s.clearDepth);
        case GL_VIEWPORT:
            return copy(s.viewport, 4);
        case GL_SCISSOR_BOX:
            return copy(s.scissor, 4);
        case GL_SAMPLES:
            return one(renderer::samples());
        case GL_MATRIX_MODE:
            return one(s.matrixMode);
        case GL_MODELVIEW_STACK_DEPTH:
            return one(static_cast<double>(s.modelview.size()));
        case GL_PROJECTION_STACK_DEPTH:
            return one(static_cast<double>(s.projection.size()));
        case GL_ATTRIB_STACK_DEPTH:
            return one(static_cast<double>(s.attribStack.size()));
        case GL_TEXTURE_BINDING_2D:
            return one(s.boundTexture);
        case GL_LIST_BASE:
            return one(s.listBase);
        case GL_LIST_INDEX:
            return one(compilingName());
        case GL_LIST_MODE:
            return one(compilingMode());
        case GL_DEPTH_FUNC:
            return one(s.depthFunc);
        case GL_DEPTH_WRITEMASK:
            return one(s.depthMask ? 1 : 0);
        case GL_BLEND_SRC:
            return one(s.blendSource);
        case GL_BLEND_DST:
            return one(s.blendDestination);
        case GL_CULL_FACE_MODE:
            return one(s.cullFace);
        case GL_FRONT_FACE:
            return one(s.frontFace);
        case GL_SHADE_MODEL:
            return one(s.shadeModel);
        case GL_COLOR_MATERIAL_FACE:
            return one(s.colourMaterialFace);
        case GL_COLOR_MATERIAL_PARAMETER:
            return one(s.colourMaterialMode);
        case GL_UNPACK_ALIGNMENT:
            return one(s.unpackAlignment);
        case GL_PACK_ALIGNMENT:
            return one(s.packAlignment);
        case GL_PERSPECTIVE_CORRECTION_HINT:
        case GL_POINT_SMOOTH_HINT:
        case GL_LINE_SMOOTH_HINT:
        case GL_POLYGON_SMOOTH_HINT:
        case GL_FOG_HINT:
            return one(s.hints[name - GL_PERSPECTIVE_CORRECTION_HINT]);
        case GL_MAX_VIEWPORT_DIMS: {
            GLint size[2];
            renderer::maxViewport(size);
            return copy(size, 2);
        }
        default:
            return 0;
    }
}

}  // namespace

GLenum ffglGetError() {
    if (!outsideBeginEnd("glGetError")) return GL_NO_ERROR;
    const GLenum error = state().error;
    state().error = GL_NO_ERROR;
    return error;
}

GLboolean ffglIsEnabled(GLenum capability) {
    if (!outsideBeginEnd("glIsEnabled")) return GL_FALSE;
    bool enabled = false;
    if (!capabilityEnabled(capability, &enabled)) {
        refuse("glIsEnabled", GL_INVALID_ENUM, "a capability this layer does not have");
        return GL_FALSE;
    }
    return enabled ? GL_TRUE : GL_FALSE;
}

void ffglGetIntegerv(GLenum name, GLint* values) {
    if (!outsideBeginEnd("glGetIntegerv")) return;
    double out[16];
    const int count = query(name, out);
    if (count == 0) return refuse("glGetIntegerv", GL_INVALID_ENUM, "state this layer lacks");
    for (int i = 0; i < count; ++i)
        values[i] = static_cast<GLint>(out[i] < 0.0 ? out[i] - 0.5 : out[i] + 0.5);
}

void ffglGetFloatv(GLenum name, GLfloat* values) {
    if (!outsideBeginEnd("glGetFloatv")) return;
    double out[16];
    const int count = query(name, out);
    if (count == 0) return refuse("glGetFloatv", GL_INVALID_ENUM, "state this layer lacks");
    for (int i = 0; i < count; ++i) values[i] = static_cast<GLfloat>(out[i]);
}

void ffglReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                    GLvoid* pixels) {
    if (!outsideBeginEnd("glReadPixels")) return;
    if (format != GL_RGBA || type != GL_UNSIGNED_BYTE)
        return refuse("glReadPixels", GL_INVALID_ENUM, "pixels are read as GL_RGBA bytes");
    if (width < 0 || height < 0) return refuse("glReadPixels", GL_INVALID_VALUE, "a negative size");
    frame().submit();
    renderer::readPixels(x, y, width, height, state().packAlignment, pixels);
}

void ffglFlush() {
    if (!outsideBeginEnd("glFlush")) return;
    frame().submit();
}

void ffglFinish() {
    if (!outsideBeginEnd("glFinish")) return;
    frame().submit();
    renderer::finish();
}
