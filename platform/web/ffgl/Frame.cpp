// Queuing the frame's draws. Stream draws join the draw before them while the state stands still
// (State::version, and the same matrices) whatever primitive they came from, since every one is
// points or triangles by now; a particle system's thousand glBegin/glEnd pairs are one WebGL draw.
#include "Frame.h"

#include <cstring>

#include "Renderer.h"

namespace ffgl {

Frame theFrame;

namespace {

std::uint8_t textureVariant(GLenum mode) {
    switch (mode) {
        case GL_REPLACE:
            return variantTextureReplace;
        case GL_DECAL:
            return variantTextureDecal;
        default:
            return variantTextureModulate;
    }
}

ColourTracking tracking(const State& s) {
    if (!(s.enables & capColorMaterial) || s.colourMaterialFace == GL_BACK)
        return ColourTracking::none;
    switch (s.colourMaterialMode) {
        case GL_AMBIENT:
            return ColourTracking::ambient;
        case GL_DIFFUSE:
            return ColourTracking::diffuse;
        case GL_SPECULAR:
            return ColourTracking::specular;
        case GL_EMISSION:
            return ColourTracking::emission;
        default:
            return ColourTracking::both;
    }
}

bool sameMatrices(const DrawState& d) {
    const State& s = state();
    return std::memcmp(d.modelview.m, s.modelview.back().m, sizeof d.modelview.m) == 0 &&
           std::memcmp(d.projection.m, s.projection.back().m, sizeof d.projection.m) == 0;
}

}  // namespace

std::uint32_t Frame::snapshot(GLenum mode) {
    const State& s = state();
    DrawState d;
    d.modelview = s.modelview.back();
    d.projection = s.projection.back();
    d.mvp = multiply(d.projection, d.modelview);
    std::memcpy(d.viewport, s.viewport, sizeof d.viewport);
    std::memcpy(d.scissor, s.scissor, sizeof d.scissor);
    d.enables = s.enables & (capDepthTest | capBlend | capCullFace | capDither | capScissorTest);
    d.depthFunc = s.depthFunc;
    d.depthMask = s.depthMask;
    d.blendSource = s.blendSource;
    d.blendDestination = s.blendDestination;
    d.cullFace = s.cullFace;
    d.frontFace = s.frontFace;
    d.pointSize = s.pointSize;
    d.variant = s.shadeModel == GL_FLAT ? variantFlat : 0;
    if (mode == GL_POINTS) d.variant |= variantPoints;
    d.texture = 0;
    d.textureHasAlpha = false;
    if (s.enables & capTexture2D) {
        auto found = s.textures.find(s.boundTexture);
        if (found != s.textures.end() && found->second.complete()) {
            d.texture = found->second.webglName;
            d.textureHasAlpha = found->second.hasAlpha;
            d.variant |= textureVariant(s.textureEnvMode);
        }
    }
    d.light0 = false;
    d.tracking = ColourTracking::none;
    if (s.enables & capLighting) {
        d.variant |= variantLighting;
        normalMatrix(d.modelview, d.normalMatrix);
        d.material = s.front;
        d.tracking = tracking(s);
        d.light0 = (s.enables & capLight0) != 0;
    }
    // As the stream's vertices hold it.
    for (int i = 0; i < 4; ++i) d.colour[i] = s.current.colourBytes[i] / 255.0f;
    std::memcpy(d.normal, s.current.normal, sizeof d.normal);
    std::memcpy(d.texCoord, s.current.texCoord, sizeof d.texCoord);
    states.push_back(d);
    return static_cast<std::uint32_t>(states.size() - 1);
}

Command Frame::drawCommand(Command::Kind kind, GLenum mode, std::uint32_t first,
                           std::uint32_t count) {
    Command command{};
    command.kind = kind;
    command.mode = mode;
    command.state = snapshot(mode);
    command.first = first;
    command.count = count;
    return command;
}

void Frame::addStreamDraw(GLenum mode, std::uint32_t first) {
    const std::uint32_t count = static_cast<std::uint32_t>(indices.size()) - first;
    if (count == 0) return;
    if (!commands.empty()) {
        Command& last = commands.back();
        if (last.kind == Command::stream && last.mode == mode && streamVersion == state().version &&
            last.first + last.count == first && sameMatrices(states[last.state])) {
            last.count += count;
            return;
        }
    }
    commands.push_back(drawCommand(Command::stream, mode, first, count));
    streamVersion = state().version;
}

void Frame::addListDraw(GLenum mode, StaticBuffers& buffers, std::uint32_t first,
                        std::uint32_t count, std::uint8_t arrays) {
    Command command = drawCommand(Command::list, mode, first, count);
    command.buffers = &buffers;
    command.arrays = arrays;
    commands.push_back(command);
}

void Frame::addClear(GLbitfield mask) {
    const State& s = state();
    Command command{};
    command.kind = Command::clear;
    command.clearMask = mask;
    std::memcpy(command.clearColour, s.clearColour, sizeof command.clearColour);
    command.clearDepth = s.clearDepth;
    command.clearDepthMask = s.depthMask;
    command.clearScissored = (s.enables & capScissorTest) != 0;
    std::memcpy(command.clearScissor, s.scissor, sizeof command.clearScissor);
    commands.push_back(command);
}

void Frame::submit() {
    if (!commands.empty()) renderer::submit(*this);
    clear();
}

void Frame::clear() {
    vertices.clear();
    indices.clear();
    states.clear();
    commands.clear();
    streamVersion = ~std::uint64_t{0};
}

}  // namespace ffgl
