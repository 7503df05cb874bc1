// The frame's queued work: vertices and indices of the streaming buffer, the state each draw
// needs, and the draws and clears in order. A draw whose state did not change since the one
// before joins it. Nothing here calls WebGL; submit() hands the queue to the renderer.
// Internal to ffgl.
#pragma once

#include <cstdint>
#include <vector>

#include "State.h"

namespace ffgl {

// One vertex as the streaming and static buffers hold it.
struct Vertex {
    float position[3];
    std::uint8_t colour[4];
    float normal[3];
    float texCoord[2];
};

// Which attributes a static draw takes from its buffer; the others are the current values.
enum VertexArrays : std::uint8_t {
    arrayColour = 1u << 0,
    arrayNormal = 1u << 1,
    arrayTexCoord = 1u << 2,
};

// A display list's geometry in WebGL buffers of its own.
struct StaticBuffers {
    unsigned vertexArray = 0;
    unsigned vertexBuffer = 0;
    unsigned indexBuffer = 0;
    std::uint8_t arraysEnabled = arrayColour | arrayNormal | arrayTexCoord;
};

// What the shader variants are keyed by.
enum Variant : std::uint8_t {
    variantTextureModulate = 1,
    variantTextureReplace = 2,
    variantTextureDecal = 3,
    variantTextureMask = 3,
    variantLighting = 1u << 2,
    variantFlat = 1u << 3,
    variantPoints = 1u << 4,
    variantCount = 32,
};

// Everything a draw depends on besides its vertices.
struct DrawState {
    Matrix mvp;
    Matrix modelview;
    Matrix projection;
    float normalMatrix[9];
    GLint viewport[4];
    GLint scissor[4];
    std::uint32_t enables;  // depth test, blend, cull face, dither and scissor test as in State
    GLenum depthFunc, blendSource, blendDestination, cullFace, frontFace;
    bool depthMask;
    std::uint8_t variant;
    unsigned texture;  // WebGL name; 0 when the draw is not textured
    bool textureHasAlpha;
    float pointSize;
    Material material;
    ColourTracking tracking;
    bool light0;
    // The current values, for attributes a static draw does not hold.
    float colour[4];
    float normal[3];
    float texCoord[2];
};

struct Command {
    enum Kind : std::uint8_t { stream, list, clear } kind;
    GLenum mode;  // GL_POINTS or GL_TRIANGLES
    std::uint32_t state;
    std::uint32_t first, count;  // indices
    StaticBuffers* buffers;      // list draws
    std::uint8_t arrays;         // list draws
    GLbitfield clearMask;        // clears
    float clearColour[4];
    float clearDepth;
    bool clearDepthMask;
    bool clearScissored;
    GLint clearScissor[4];
};

class Frame {
public:
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;
    std::vector<DrawState> states;
    std::vector<Command> commands;

    // The indices from first on (already appended) draw with the current state.
    void addStreamDraw(GLenum mode, std::uint32_t first);
    void addListDraw(GLenum mode, StaticBuffers& buffers, std::uint32_t first, std::uint32_t count,
                     std::uint8_t arrays);
    void addClear(GLbitfield mask);
    bool empty() const { return commands.empty(); }
    // Hands everything queued to the renderer and starts afresh.
    void submit();
    void clear();

private:
    std::uint32_t snapshot(GLenum mode);
    Command drawCommand(Command::Kind kind, GLenum mode, std::uint32_t first, std::uint32_t count);
    std::uint64_t streamVersion = ~std::uint64_t{0};  // the state the last stream draw has
};

extern Frame theFrame;

inline Frame& frame() {
    return theFrame;
}

// The vertex at a position with the values c holds.
inline Vertex vertexWith(const Current& c, float x, float y, float z) {
    return Vertex{{x, y, z},
                  {c.colourBytes[0], c.colourBytes[1], c.colourBytes[2], c.colourBytes[3]},
                  {c.normal[0], c.normal[1], c.normal[2]},
                  {c.texCoord[0], c.texCoord[1]}};
}

}  // namespace ffgl
