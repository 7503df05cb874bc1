// State the web GL layer keeps beside WebGL's: current vertex attributes, enables, list base,
// pixel unpacking and raster position, plus the hooks every wrapped call goes through.
// Internal to platform/web/gl; the drawing code sees only the GL names of ShimGL.h.
#pragma once

#include <functional>
#include <unordered_map>
#include <utility>

#include <GL/gl.h>

namespace webgl {

struct CurrentAttributes {
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float normal[3] = {0.0f, 0.0f, 1.0f};
    float texCoord[2] = {0.0f, 0.0f};
};

struct PixelUnpacking {
    GLint alignment = 4;
    GLint rowLength = 0;
    GLint skipRows = 0;
    GLint skipPixels = 0;
    bool lsbFirst = false;
};

struct RasterPosition {
    float window[3] = {0.0f, 0.0f, 0.0f};
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    bool valid = true;
};

struct State {
    CurrentAttributes current;
    std::unordered_map<GLenum, bool> enabled;
    GLuint listBase = 0;
    GLfloat pointSize = 1.0f;
    GLenum matrixMode = GL_MODELVIEW;
    GLenum shadeModel = GL_SMOOTH;
    GLenum colourMaterialFace = GL_FRONT_AND_BACK;
    GLenum colourMaterialMode = GL_AMBIENT_AND_DIFFUSE;
    PixelUnpacking unpacking;
    RasterPosition raster;
    bool gatherPoints = true;
};

State& state();
// Back to the state of a fresh context (called when one is made).
void resetState();
// Drops an open batch and gathered points (part of resetState).
void clearImmediate();

bool isEnabled(GLenum capability);

// Draws the points gathered from consecutive point batches as one draw, if there are any.
// Every call that changes what a point would look like calls this first.
void flushPoints();

// Display-list recording. A wrapped call first offers itself as a command: recorded() is true when
// the call was taken by the list being compiled (and, in GL_COMPILE_AND_EXECUTE, already run).
bool compilingList();
bool takeCommand(std::function<void()> command);
template <class Command>
inline bool recorded(Command&& command) {
    return compilingList() && takeCommand(std::function<void()>(std::forward<Command>(command)));
}

// The emulation stores a colour given between glBegin and glEnd as bytes by truncating c * 255;
// GL rounds. This is the value that truncates to the rounded byte.
float byteExact(float c);

// Keeps the fixed-function material in step with the current colour while GL_COLOR_MATERIAL is on.
void followColourMaterial();

}  // namespace webgl
