// The current colour and the materials it feeds: glMaterial, and glColorMaterial making the
// chosen property follow the current colour while GL_COLOR_MATERIAL is on (as GL does, the
// property keeps the last colour once it is switched off). Materials show only when lit.
#include "Materials.h"

#include <cstdint>
#include <cstring>

#include "Errors.h"
#include "Lists.h"
#include "State.h"

namespace ffgl {

namespace {

bool validFace(GLenum face) {
    return face == GL_FRONT || face == GL_BACK || face == GL_FRONT_AND_BACK;
}

void setProperty(Material& material, GLenum name, const float* values) {
    if (name == GL_SHININESS) {
        material.shininess = values[0];
        return;
    }
    const bool ambient = name == GL_AMBIENT || name == GL_AMBIENT_AND_DIFFUSE;
    const bool diffuse = name == GL_DIFFUSE || name == GL_AMBIENT_AND_DIFFUSE;
    float* colour = name == GL_SPECULAR   ? material.specular
                    : name == GL_EMISSION ? material.emission
                                          : nullptr;
    if (ambient) std::memcpy(material.ambient, values, sizeof material.ambient);
    if (diffuse) std::memcpy(material.diffuse, values, sizeof material.diffuse);
    if (colour) std::memcpy(colour, values, 4 * sizeof(float));
}

void setMaterial(GLenum face, GLenum name, const float* values) {
    State& s = state();
    if (face != GL_BACK) setProperty(s.front, name, values);
    if (face != GL_FRONT) setProperty(s.back, name, values);
    changedLighting();
}

}  // namespace

void trackColour() {
    const State& s = state();
    if (s.enables & capColorMaterial)
        setMaterial(s.colourMaterialFace, s.colourMaterialMode, s.current.colour);
}

void setCurrentColour(float red, float green, float blue, float alpha) {
    Current& c = state().current;
    c.colour[0] = red;
    c.colour[1] = green;
    c.colour[2] = blue;
    c.colour[3] = alpha;
    packColour(c.colour, c.colourBytes);
    trackColour();
}

}  // namespace ffgl

using namespace ffgl;

void ffglColorMaterial(GLenum face, GLenum mode) {
    if (!outsideBeginEnd("glColorMaterial") || recorded(Op::colourMaterial, face, mode)) return;
    if (!validFace(face)) return refuse("glColorMaterial", GL_INVALID_ENUM, "an unknown face");
    if (mode != GL_AMBIENT && mode != GL_DIFFUSE && mode != GL_SPECULAR && mode != GL_EMISSION &&
        mode != GL_AMBIENT_AND_DIFFUSE)
        return refuse("glColorMaterial", GL_INVALID_ENUM, "an unknown material property");
    State& s = state();
    s.colourMaterialFace = face;
    s.colourMaterialMode = mode;
    changedLighting();
    // The newly chosen property takes the current colour at once.
    trackColour();
}

void ffglMaterialfv(GLenum face, GLenum name, const GLfloat* values) {
    if (!outsideBeginEnd("glMaterialfv")) return;
    const bool single = name == GL_SHININESS;
    const float v[4] = {values[0], single ? 0.0f : values[1], single ? 0.0f : values[2],
                        single ? 0.0f : values[3]};
    if (recorded(Op::material, face, name, v[0], v[1], v[2], v[3])) return;
    if (!validFace(face)) return refuse("glMaterialfv", GL_INVALID_ENUM, "an unknown face");
    if (name != GL_AMBIENT && name != GL_DIFFUSE && name != GL_SPECULAR && name != GL_EMISSION &&
        name != GL_SHININESS && name != GL_AMBIENT_AND_DIFFUSE)
        return refuse("glMaterialfv", GL_INVALID_ENUM, "an unknown material property");
    if (single && (v[0] < 0.0f || v[0] > 128.0f))
        return refuse("glMaterialfv", GL_INVALID_VALUE, "shininess outside 0 to 128");
    setMaterial(face, name, v);
}

void ffglMaterialf(GLenum face, GLenum name, GLfloat value) {
    if (name != GL_SHININESS) {
        if (!outsideBeginEnd("glMaterialf")) return;
        return refuse("glMaterialf", GL_INVALID_ENUM, "only GL_SHININESS is a single value");
    }
    ffglMaterialfv(face, name, &value);
}
