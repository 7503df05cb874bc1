// Display lists: the calls made while one is compiled, kept as operations to replay, and its
// geometry in static buffers. Internal to ffgl; the GL entry points are in Lists.cpp too.
#pragma once

#include <cstdint>
#include <functional>
#include <cstddef>
#include <string>

#include "ffgl.h"

namespace ffgl {

// Every call a list keeps, replayed through the same ffgl* entry point.
enum class Op : std::uint8_t {
    geometry,
    colour,
    normal,
    texCoord,
    enable,
    disable,
    matrixMode,
    loadIdentity,
    pushMatrix,
    popMatrix,
    loadMatrix,
    multMatrix,
    translate,
    rotate,
    scale,
    ortho,
    viewport,
    scissor,
    clear,
    clearColour,
    clearDepth,
    depthFunc,
    depthMask,
    blendFunc,
    cullFace,
    frontFace,
    shadeModel,
    pointSize,
    hint,
    colourMaterial,
    material,
    bindTexture,
    texEnv,
    listBase,
    callList,
    callLists,
    pushAttrib,
    popAttrib,
    bitmap,
};

bool compiling();
// While a list is compiled: keeps the call in it and returns true (the call is not made now).
bool recordArgs(Op op, const double* args, std::size_t count);
template <class... Args>
bool recorded(Op op, Args... args) {
    if (!compiling()) return false;
    const double values[] = {0.0, static_cast<double>(args)...};
    return recordArgs(op, values + 1, sizeof...(Args));
}
bool recordedMatrix(Op op, const float* m);

// glBegin to glEnd while a list is compiled: the vertices go into the list's geometry.
void listBegin(GLenum mode);
void listVertex(float x, float y, float z);
void listColour(float red, float green, float blue, float alpha);
void listNormal(float x, float y, float z);
void listTexCoord(float s, float t);
void listEnd();

// Plays the list that generate() draws, compiled the first time under key into a list the
// program cannot name. While the program compiles a list, generate() goes into that one.
void playKept(const std::string& key, const std::function<void()>& generate);

// Forgets every list and deletes their buffers (the context goes).
void deleteAllLists();

// For glGetIntegerv: the list being compiled (0 for none) and its mode.
GLuint compilingName();
GLenum compilingMode();

}  // namespace ffgl
