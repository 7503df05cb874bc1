// Plays a frame's queue on WebGL 2: the stream goes up in one buffer upload for vertices and one
// for indices, then each draw sets only the WebGL state that differs from what is set already.
// WebGL calls cost the main thread the most, so this file keeps them few.
#include "Renderer.h"

#include <GLES3/gl3.h>

#include <cstddef>
#include <cstring>

#include "Shaders.h"

namespace ffgl {
namespace renderer {

namespace {

// What WebGL has set now, so that a draw only changes what differs.
struct Cache {
    unsigned program = 0;
    unsigned vertexArray = 0;
    unsigned texture = 0;
    GLint viewport[4] = {-1, -1, -1, -1};
    GLint scissor[4] = {-1, -1, -1, -1};
    std::uint32_t enables = capDither;
    GLenum depthFunc = GL_LESS;
    bool depthMask = true;
    GLenum blendSource = GL_ONE, blendDestination = GL_ZERO;
    GLenum cullFace = GL_BACK, frontFace = GL_CCW;
    float clearColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float clearDepth = 1.0f;
};

Cache cache;
Program programs[variantCount];
unsigned streamVertexArray = 0, streamVertexBuffer = 0, streamIndexBuffer = 0;
unsigned long draws = 0;

void bindVertexArray(unsigned name) {
    if (cache.vertexArray == name) return;
    glBindVertexArray(name);
    cache.vertexArray = name;
}

void bindTexture(unsigned name) {
    if (cache.texture == name) return;
    glBindTexture(GL_TEXTURE_2D, name);
    cache.texture = name;
}

void useProgram(unsigned name) {
    if (cache.program == name) return;
    glUseProgram(name);
    cache.program = name;
}

// The attribute layout of Vertex, in the buffer bound to GL_ARRAY_BUFFER.
void pointAttributes() {
    const GLsizei stride = sizeof(Vertex);
    glVertexAttribPointer(attributePosition, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(Vertex, position)));
    glVertexAttribPointer(attributeColour, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<void*>(offsetof(Vertex, colour)));
    glVertexAttribPointer(attributeNormal, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(Vertex, normal)));
    glVertexAttribPointer(attributeTexCoord, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(Vertex, texCoord)));
    for (unsigned location = attributePosition; location <= attributeTexCoord; ++location)
        glEnableVertexAttribArray(location);
}

void scissorBox(const GLint box[4]) {
    if (std::memcmp(cache.scissor, box, sizeof cache.scissor) == 0) return;
    glScissor(box[0], box[1], box[2], box[3]);
    std::memcpy(cache.scissor, box, sizeof cache.scissor);
}

void setCapability(std::uint32_t wanted, std::uint32_t bit, GLenum capability) {
    if ((cache.enables & bit) == (wanted & bit)) return;
    if (wanted & bit)
        glEnable(capability);
    else
        glDisable(capability);
    cache.enables = (cache.enables & ~bit) | (wanted & bit);
}

const Program& program(std::uint8_t variant) {
    Program& p = programs[variant];
    if (p.name == 0) p = buildProgram(variant);
    return p;
}

void uploadUniforms(Program& p, const DrawState& d) {
    if (p.uploaded == &d) return;
    p.uploaded = &d;
    glUniformMatrix4fv(p.mvp, 1, GL_FALSE, d.mvp.m);
    if (p.pointSize >= 0) {
        glUniform1f(p.pointSize, d.pointSize);
        glUniform4f(p.viewport, static_cast<float>(d.viewport[0]),
                    static_cast<float>(d.viewport[1]), static_cast<float>(d.viewport[2]),
                    static_cast<float>(d.viewport[3]));
    }
    if (p.textureHasAlpha >= 0) glUniform1i(p.textureHasAlpha, d.textureHasAlpha ? 1 : 0);
    if (!(d.variant & variantLighting)) return;
    glUniformMatrix3fv(p.normalMatrix, 1, GL_FALSE, d.normalMatrix);
    glUniform4fv(p.ambient, 1, d.material.ambient);
    glUniform4fv(p.diffuse, 1, d.material.diffuse);
    glUniform4fv(p.specular, 1, d.material.specular);
    glUniform4fv(p.emission, 1, d.material.emission);
    glUniform1f(p.shininess, d.material.shininess);
    glUniform1i(p.tracking, static_cast<int>(d.tracking));
    glUniform1i(p.light0, d.light0 ? 1 : 0);
}

// False when the variant's program could not be built: the draw is left out.
bool apply(const DrawState& d) {
    Program& p = programs[d.variant];
    if (p.name == 0) p = buildProgram(d.variant);
    if (p.name == 0) return false;
    useProgram(p.name);
    uploadUniforms(p, d);
    if (std::memcmp(cache.viewport, d.viewport, sizeof cache.viewport) != 0) {
        glViewport(d.viewport[0], d.viewport[1], d.viewport[2], d.viewport[3]);
        std::memcpy(cache.viewport, d.viewport, sizeof cache.viewport);
    }
    setCapability(d.enables, capDepthTest, GL_DEPTH_TEST);
    setCapability(d.enables, capBlend, GL_BLEND);
    setCapability(d.enables, capCullFace, GL_CULL_FACE);
    setCapability(d.enables, capDither, GL_DITHER);
    setCapability(d.enables, capScissorTest, GL_SCISSOR_TEST);
    if (d.enables & capScissorTest) scissorBox(d.scissor);
    if (cache.depthFunc != d.depthFunc) glDepthFunc(cache.depthFunc = d.depthFunc);
    if (cache.depthMask != d.depthMask) {
        cache.depthMask = d.depthMask;
        glDepthMask(d.depthMask ? GL_TRUE : GL_FALSE);
    }
    if (cache.blendSource != d.blendSource || cache.blendDestination != d.blendDestination) {
        cache.blendSource = d.blendSource;
        cache.blendDestination = d.blendDestination;
        glBlendFunc(d.blendSource, d.blendDestination);
    }
    if (cache.cullFace != d.cullFace) glCullFace(cache.cullFace = d.cullFace);
    if (cache.frontFace != d.frontFace) glFrontFace(cache.frontFace = d.frontFace);
    if (d.texture != 0) bindTexture(d.texture);
    return true;
}

// A static draw's attributes: from the list's buffer where it holds them, else the current
// values as constant attributes.
void setListAttributes(StaticBuffers& buffers, std::uint8_t arrays, const DrawState& d) {
    const struct {
        std::uint8_t bit;
        unsigned location;
    } attributes[] = {{arrayColour, attributeColour},
                      {arrayNormal, attributeNormal},
                      {arrayTexCoord, attributeTexCoord}};
    for (const auto& a : attributes) {
        const bool wanted = (arrays & a.bit) != 0;
        if (wanted != ((buffers.arraysEnabled & a.bit) != 0)) {
            if (wanted)
                glEnableVertexAttribArray(a.location);
            else
                glDisableVertexAttribArray(a.location);
            buffers.arraysEnabled ^= a.bit;
        }
    }
    if (!(arrays & arrayColour))
        glVertexAttrib4f(attributeColour, d.colour[0], d.colour[1], d.colour[2], d.colour[3]);
    if (!(arrays & arrayNormal))
        glVertexAttrib4f(attributeNormal, d.normal[0], d.normal[1], d.normal[2], 1.0f);
    if (!(arrays & arrayTexCoord))
        glVertexAttrib4f(attributeTexCoord, d.texCoord[0], d.texCoord[1], 0.0f, 1.0f);
}

void clear(const Command& c) {
    setCapability(c.clearScissored ? capScissorTest : 0, capScissorTest, GL_SCISSOR_TEST);
    if (c.clearScissored) scissorBox(c.clearScissor);
    if (std::memcmp(cache.clearColour, c.clearColour, sizeof cache.clearColour) != 0) {
        std::memcpy(cache.clearColour, c.clearColour, sizeof cache.clearColour);
        glClearColor(c.clearColour[0], c.clearColour[1], c.clearColour[2], c.clearColour[3]);
    }
    if (cache.clearDepth != c.clearDepth) glClearDepthf(cache.clearDepth = c.clearDepth);
    if (cache.depthMask != c.clearDepthMask) {
        cache.depthMask = c.clearDepthMask;
        glDepthMask(c.clearDepthMask ? GL_TRUE : GL_FALSE);
    }
    glClear(c.clearMask);
}

}  // namespace

bool start() {
    cache = Cache{};
    draws = 0;
    for (Program& p : programs) p = Program{};
    // A context made again on the same canvas keeps the old one's WebGL state: set GL 1.1's.
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glEnable(GL_DITHER);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glBlendFunc(GL_ONE, GL_ZERO);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepthf(1.0f);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
    // Texture rows arrive tightly packed (Textures.cpp repacks them).
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    glGenVertexArrays(1, &streamVertexArray);
    glGenBuffers(1, &streamVertexBuffer);
    glGenBuffers(1, &streamIndexBuffer);
    bindVertexArray(streamVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, streamVertexBuffer);
    pointAttributes();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, streamIndexBuffer);
    bindVertexArray(0);
    // The show's variants, built now rather than on its first frames.
    return program(0).name != 0 && program(variantTextureModulate).name != 0 &&
           program(variantPoints).name != 0;
}

void stop() {
    for (Program& p : programs) {
        if (p.name) glDeleteProgram(p.name);
        p = Program{};
    }
    bindVertexArray(0);
    glDeleteVertexArrays(1, &streamVertexArray);
    glDeleteBuffers(1, &streamVertexBuffer);
    glDeleteBuffers(1, &streamIndexBuffer);
    streamVertexArray = streamVertexBuffer = streamIndexBuffer = 0;
}

void submit(const Frame& frame) {
    if (!frame.vertices.empty()) {
        glBindBuffer(GL_ARRAY_BUFFER, streamVertexBuffer);
        glBufferData(GL_ARRAY_BUFFER, frame.vertices.size() * sizeof(Vertex), frame.vertices.data(),
                     GL_STREAM_DRAW);
    }
    if (!frame.indices.empty()) {
        bindVertexArray(streamVertexArray);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, frame.indices.size() * sizeof(std::uint32_t),
                     frame.indices.data(), GL_STREAM_DRAW);
    }
    for (const Command& c : frame.commands) {
        if (c.kind == Command::clear) {
            clear(c);
            continue;
        }
        const DrawState& d = frame.states[c.state];
        if (!apply(d)) continue;
        if (c.kind == Command::stream) {
            bindVertexArray(streamVertexArray);
        } else {
            StaticBuffers& buffers = *c.buffers;
            bindVertexArray(buffers.vertexArray);
            setListAttributes(buffers, c.arrays, d);
        }
        glDrawElements(c.mode, static_cast<GLsizei>(c.count), GL_UNSIGNED_INT,
                       reinterpret_cast<void*>(std::size_t{c.first} * sizeof(std::uint32_t)));
        ++draws;
    }
    // The states live in the frame, which starts afresh: no program may keep pointing into it.
    for (Program& p : programs) p.uploaded = nullptr;
}

StaticBuffers makeStatic(const std::vector<Vertex>& vertices,
                         const std::vector<std::uint32_t>& indices) {
    StaticBuffers buffers;
    glGenVertexArrays(1, &buffers.vertexArray);
    glGenBuffers(1, &buffers.vertexBuffer);
    glGenBuffers(1, &buffers.indexBuffer);
    bindVertexArray(buffers.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, buffers.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, vertices.size() * sizeof(Vertex), vertices.data(),
                 GL_STATIC_DRAW);
    pointAttributes();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, indices.size() * sizeof(std::uint32_t), indices.data(),
                 GL_STATIC_DRAW);
    bindVertexArray(0);
    return buffers;
}

void deleteStatic(StaticBuffers& buffers) {
    if (buffers.vertexArray == 0) return;
    if (cache.vertexArray == buffers.vertexArray) bindVertexArray(0);
    glDeleteVertexArrays(1, &buffers.vertexArray);
    glDeleteBuffers(1, &buffers.vertexBuffer);
    glDeleteBuffers(1, &buffers.indexBuffer);
    buffers = StaticBuffers{};
}

unsigned makeTexture() {
    unsigned name = 0;
    glGenTextures(1, &name);
    return name;
}

void deleteTexture(unsigned name) {
    if (name == 0) return;
    if (cache.texture == name) cache.texture = 0;
    glDeleteTextures(1, &name);
}

void textureImage(unsigned name, bool alpha, GLsizei width, GLsizei height, const void* pixels) {
    bindTexture(name);
    const GLenum format = alpha ? GL_RGBA : GL_RGB;
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format,
                 GL_UNSIGNED_BYTE, pixels);
}

void textureParameter(unsigned name, GLenum parameter, GLint value) {
    bindTexture(name);
    glTexParameteri(GL_TEXTURE_2D, parameter, value);
}

void readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLint packAlignment,
                void* pixels) {
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}

void finish() {
    glFinish();
}

void maxViewport(GLint size[2]) {
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, size);
}

GLint samples() {
    GLint count = 0;
    glGetIntegerv(GL_SAMPLES, &count);
    return count;
}

unsigned long drawCount() {
    return draws;
}

}  // namespace renderer
}  // namespace ffgl
