// The GL 1.1 state the layer keeps: current vertex values, matrix stacks, enables, the
// fixed-function settings, texture and client-array records, errors. One context at a time.
// Internal to ffgl. Nothing here calls WebGL.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "Matrix.h"
#include "ffgl.h"

namespace ffgl {

constexpr int maxMatrixDepth = 32;
constexpr int maxAttribDepth = 16;
constexpr int maxListNesting = 64;
constexpr int lightCount = 8;

// The enables a draw depends on, as bits.
enum Capability : std::uint32_t {
    capDepthTest = 1u << 0,
    capBlend = 1u << 1,
    capCullFace = 1u << 2,
    capDither = 1u << 3,
    capTexture2D = 1u << 4,
    capLighting = 1u << 5,
    capColorMaterial = 1u << 6,
    capLight0 = 1u << 7,  // and the seven lights after it
    capScissorTest = 1u << 15,
};

struct Material {
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f;
};

// Which material property follows the vertex colour while GL_COLOR_MATERIAL is on.
enum class ColourTracking : std::uint8_t { none, ambient, diffuse, specular, emission, both };

struct Current {
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    std::uint8_t colourBytes[4] = {255, 255, 255, 255};  // colour as the vertices store it
    float normal[3] = {0.0f, 0.0f, 1.0f};
    float texCoord[2] = {0.0f, 0.0f};
    float raster[2] = {0.0f, 0.0f};  // window position; GL's initial (0, 0) is always valid
};

struct ClientArray {
    bool enabled = false;
    GLint size = 0;
    GLsizei stride = 0;  // in bytes, 0 meaning tightly packed
    const void* pointer = nullptr;
};

struct Texture {
    unsigned webglName = 0;  // made when first bound
    GLsizei width = 0, height = 0;
    bool hasAlpha = false;
    GLint minFilter = GL_NEAREST_MIPMAP_LINEAR;
    float borderColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};

    // GL draws an incomplete texture as no texture; only level 0 exists here.
    bool complete() const {
        return width > 0 && height > 0 && (minFilter == GL_NEAREST || minFilter == GL_LINEAR);
    }
};

// The state glPushAttrib saves, by group.
struct AttribFrame {
    GLbitfield mask;
    Current current;
    std::uint32_t enables;
    GLuint listBase;
};

struct State {
    Current current;
    std::vector<Matrix> modelview{Matrix{}};
    std::vector<Matrix> projection{Matrix{}};
    GLenum matrixMode = GL_MODELVIEW;
    GLint viewport[4] = {0, 0, 0, 0};
    GLint scissor[4] = {0, 0, 0, 0};

    std::uint32_t enables = capDither;
    GLenum depthFunc = GL_LESS;
    bool depthMask = true;
    float clearColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float clearDepth = 1.0f;
    GLenum blendSource = GL_ONE, blendDestination = GL_ZERO;
    GLenum cullFace = GL_BACK, frontFace = GL_CCW;
    GLenum shadeModel = GL_SMOOTH;
    float pointSize = 1.0f;
    GLenum hints[5] = {GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE};

    Material front, back;
    GLenum colourMaterialFace = GL_FRONT_AND_BACK;
    GLenum colourMaterialMode = GL_AMBIENT_AND_DIFFUSE;

    GLuint boundTexture = 0;
    GLenum textureEnvMode = GL_MODULATE;
    std::unordered_map<GLuint, Texture> textures;  // every name handed out or bound
    GLuint nextTextureName = 1;
    GLint unpackAlignment = 4, packAlignment = 4;

    ClientArray vertexArray, normalArray, texCoordArray;

    GLuint listBase = 0;
    std::vector<AttribFrame> attribStack;

    GLenum error = GL_NO_ERROR;
    bool insideBeginEnd = false;
    GLenum primitive = GL_POINTS;  // the open glBegin's mode
    bool discarding = false;

    // Grows whenever something a draw depends on changes (current vertex values and matrices
    // aside, which draws compare themselves), so that a draw recorded while it stands still may
    // join the one before.
    std::uint64_t version = 0;
};

extern State theState;

inline State& state() {
    return theState;
}
// Back to GL's initial state, textures and lists forgotten (the context is new).
void resetState();

Matrix& currentMatrix();
std::vector<Matrix>& currentStack();

// A colour as vertices store it: each channel clamped to 0 to 1 and rounded to 8 bits.
inline void packColour(const float colour[4], std::uint8_t bytes[4]) {
    for (int i = 0; i < 4; ++i) {
        const float c = colour[i] < 0.0f ? 0.0f : (colour[i] > 1.0f ? 1.0f : colour[i]);
        bytes[i] = static_cast<std::uint8_t>(c * 255.0f + 0.5f);
    }
}

// The bit of a capability glEnable takes, or 0 for one the layer does not have.
std::uint32_t capabilityBit(GLenum capability);

// True while nothing drawn can reach a pixel: draws are discarded (ffglDiscardDraws), or the
// scissor test is on with an empty box. Draws and clears are then dropped whole.
inline bool drawsDropped() {
    const State& s = state();
    return s.discarding ||
           ((s.enables & capScissorTest) && (s.scissor[2] <= 0 || s.scissor[3] <= 0));
}

// Records a change a queued draw could see: later draws do not join earlier ones.
inline void changed() {
    ++state().version;
}
// The same for what only lit drawing reads (materials, colour material, lights).
void changedLighting();

}  // namespace ffgl
