// Texture objects under GL 1.1's rules on WebGL 2's: names of our own (GL lets a program bind a
// name it never generated), images repacked to tight rows of the internal format's components,
// GL_CLAMP as clamping to the edge, and the completeness GL judges by kept here so that an
// incomplete texture draws as none. Queued draws go out before a texture they use changes.
#include <cstdint>
#include <cstring>
#include <vector>

#include "Errors.h"
#include "Frame.h"
#include "Lists.h"
#include "Renderer.h"

using namespace ffgl;

namespace {

Texture& textureRecord(GLuint name) {
    Texture& texture = state().textures[name];
    if (texture.webglName == 0) texture.webglName = renderer::makeTexture();
    return texture;
}

// 0 for an internal format this layer does not take, else its component count.
int components(GLint internalFormat) {
    switch (internalFormat) {
        case 3:
        case GL_RGB:
        case GL_RGB8:
            return 3;
        case 4:
        case GL_RGBA:
        case GL_RGBA8:
            return 4;
        default:
            return 0;
    }
}

bool textureTarget(const char* call, GLenum target) {
    if (target == GL_TEXTURE_2D) return true;
    refuse(call, GL_INVALID_ENUM, "only GL_TEXTURE_2D");
    return false;
}

bool notCompiling(const char* call) {
    if (!compiling()) return true;
    refuse(call, GL_INVALID_OPERATION, "texture images and parameters are not kept in lists");
    return false;
}

}  // namespace

void ffglGenTextures(GLsizei count, GLuint* textures) {
    if (!outsideBeginEnd("glGenTextures")) return;
    if (count < 0) return refuse("glGenTextures", GL_INVALID_VALUE, "a negative count");
    State& s = state();
    for (GLsizei i = 0; i < count; ++i) {
        while (s.textures.count(s.nextTextureName)) ++s.nextTextureName;
        textures[i] = s.nextTextureName;
        s.textures[s.nextTextureName++];
    }
}

void ffglDeleteTextures(GLsizei count, const GLuint* textures) {
    if (!outsideBeginEnd("glDeleteTextures")) return;
    if (count < 0) return refuse("glDeleteTextures", GL_INVALID_VALUE, "a negative count");
    State& s = state();
    for (GLsizei i = 0; i < count; ++i) {
        // Name 0 is the default texture, which is never deleted.
        auto found = textures[i] == 0 ? s.textures.end() : s.textures.find(textures[i]);
        if (found == s.textures.end()) continue;
        if (found->second.webglName != 0) {
            frame().submit();
            renderer::deleteTexture(found->second.webglName);
        }
        s.textures.erase(found);
        if (s.boundTexture == textures[i]) {
            s.boundTexture = 0;
            changed();
        }
    }
}

void ffglBindTexture(GLenum target, GLuint texture) {
    if (!outsideBeginEnd("glBindTexture") || recorded(Op::bindTexture, target, texture)) return;
    if (!textureTarget("glBindTexture", target)) return;
    State& s = state();
    if (s.boundTexture == texture) return;
    textureRecord(texture);
    s.boundTexture = texture;
    // Bindings and the environment matter to draws only while texturing is on.
    if (s.enables & capTexture2D) changed();
}

void ffglTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                    GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    const char* call = "glTexImage2D";
    if (!outsideBeginEnd(call) || !notCompiling(call) || !textureTarget(call, target)) return;
    const int wanted = components(internalFormat);
    if (wanted == 0) return refuse(call, GL_INVALID_VALUE, "internal formats are RGB and RGBA");
    if (format != GL_RGB && format != GL_RGBA)
        return refuse(call, GL_INVALID_ENUM, "pixel formats are GL_RGB and GL_RGBA");
    if (type != GL_UNSIGNED_BYTE) return refuse(call, GL_INVALID_ENUM, "pixels are bytes");
    if (level != 0) return refuse(call, GL_INVALID_VALUE, "no mipmap levels but 0");
    if (border != 0) return refuse(call, GL_INVALID_VALUE, "no border texels");
    if (width < 0 || height < 0) return refuse(call, GL_INVALID_VALUE, "a negative size");

    // Tight rows of the internal format's components, from rows padded to the unpack
    // alignment; missing alpha is 1, as GL makes it.
    const int given = format == GL_RGBA ? 4 : 3;
    const std::size_t alignment = static_cast<std::size_t>(state().unpackAlignment);
    const std::size_t rowBytes =
        (static_cast<std::size_t>(width) * given + alignment - 1) / alignment * alignment;
    std::vector<std::uint8_t> packed(static_cast<std::size_t>(width) * height * wanted, 255);
    if (pixels != nullptr) {
        const auto* source = static_cast<const std::uint8_t*>(pixels);
        for (GLsizei y = 0; y < height; ++y)
            for (GLsizei x = 0; x < width; ++x) {
                const std::uint8_t* from =
                    source + y * rowBytes + static_cast<std::size_t>(x) * given;
                std::uint8_t* to =
                    packed.data() + (static_cast<std::size_t>(y) * width + x) * wanted;
                for (int c = 0; c < 3; ++c) to[c] = from[c];
                if (wanted == 4 && given == 4) to[3] = from[3];
            }
    }
    frame().submit();
    Texture& texture = textureRecord(state().boundTexture);
    renderer::textureImage(texture.webglName, wanted == 4, width, height, packed.data());
    texture.width = width;
    texture.height = height;
    texture.hasAlpha = wanted == 4;
    changed();
}

void ffglTexParameteri(GLenum target, GLenum name, GLint value) {
    const char* call = "glTexParameteri";
    if (!outsideBeginEnd(call) || !notCompiling(call) || !textureTarget(call, target)) return;
    bool valid = false;
    switch (name) {
        case GL_TEXTURE_MIN_FILTER:
            valid = value == GL_NEAREST || value == GL_LINEAR ||
                    (value >= GL_NEAREST_MIPMAP_NEAREST && value <= GL_LINEAR_MIPMAP_LINEAR);
            break;
        case GL_TEXTURE_MAG_FILTER:
            valid = value == GL_NEAREST || value == GL_LINEAR;
            break;
        case GL_TEXTURE_WRAP_S:
        case GL_TEXTURE_WRAP_T:
            valid = value == GL_CLAMP || value == GL_REPEAT || value == GL_CLAMP_TO_EDGE;
            // WebGL has no border texels to clamp towards: the edge is as near as it gets.
            if (value == GL_CLAMP) value = GL_CLAMP_TO_EDGE;
            break;
        default:
            return refuse(call, GL_INVALID_ENUM, "filters and wraps only");
    }
    if (!valid) return refuse(call, GL_INVALID_ENUM, "a value GL 1.1 does not take there");
    frame().submit();
    Texture& texture = textureRecord(state().boundTexture);
    renderer::textureParameter(texture.webglName, name, value);
    if (name == GL_TEXTURE_MIN_FILTER) {
        texture.minFilter = value;
        changed();
    }
}

void ffglTexParameterfv(GLenum target, GLenum name, const GLfloat* values) {
    if (name != GL_TEXTURE_BORDER_COLOR)
        return ffglTexParameteri(target, name, static_cast<GLint>(values[0]));
    const char* call = "glTexParameterfv";
    if (!outsideBeginEnd(call) || !notCompiling(call) || !textureTarget(call, target)) return;
    std::memcpy(textureRecord(state().boundTexture).borderColour, values, 4 * sizeof(float));
}

void ffglTexEnvi(GLenum target, GLenum name, GLint value) {
    if (!outsideBeginEnd("glTexEnvi") || recorded(Op::texEnv, target, name, value)) return;
    if (target != GL_TEXTURE_ENV || name != GL_TEXTURE_ENV_MODE)
        return refuse("glTexEnvi", GL_INVALID_ENUM, "only the texture environment's mode");
    if (value != GL_MODULATE && value != GL_REPLACE && value != GL_DECAL)
        return refuse("glTexEnvi", GL_INVALID_ENUM, "modes are modulate, replace and decal");
    State& s = state();
    if (s.textureEnvMode == static_cast<GLenum>(value)) return;
    s.textureEnvMode = static_cast<GLenum>(value);
    if (s.enables & capTexture2D) changed();
}

void ffglPixelStorei(GLenum name, GLint value) {
    if (!outsideBeginEnd("glPixelStorei")) return;
    if (name != GL_UNPACK_ALIGNMENT && name != GL_PACK_ALIGNMENT)
        return refuse("glPixelStorei", GL_INVALID_ENUM, "only the alignments");
    if (value != 1 && value != 2 && value != 4 && value != 8)
        return refuse("glPixelStorei", GL_INVALID_VALUE, "alignments are 1, 2, 4 or 8");
    (name == GL_UNPACK_ALIGNMENT ? state().unpackAlignment : state().packAlignment) = value;
}
