// Everything that calls WebGL: the streaming buffers, the shader variants, static buffers of
// lists, textures, and playing a frame's queue with as few WebGL calls as the state allows.
// Internal to ffgl.
#pragma once

#include <cstdint>
#include <vector>

#include "Frame.h"

namespace ffgl {
namespace renderer {

// Makes the buffers and the common shader variants in the current WebGL context and sets
// WebGL's state to GL 1.1's initial one. False when a shader does not build.
bool start();
// Deletes everything start() and the calls below made.
void stop();

// Uploads the queued vertices and indices and makes the queued draws and clears.
void submit(const Frame& frame);

StaticBuffers makeStatic(const std::vector<Vertex>& vertices,
                         const std::vector<std::uint32_t>& indices);
void deleteStatic(StaticBuffers& buffers);

unsigned makeTexture();
void deleteTexture(unsigned name);
// Level 0 from rows of width * 3 or 4 bytes, tightly packed, bottom row first.
void textureImage(unsigned name, bool alpha, GLsizei width, GLsizei height, const void* pixels);
void textureParameter(unsigned name, GLenum parameter, GLint value);

void readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLint packAlignment, void* pixels);
void finish();
void maxViewport(GLint size[2]);
GLint samples();
unsigned long drawCount();

}  // namespace renderer
}  // namespace ffgl
