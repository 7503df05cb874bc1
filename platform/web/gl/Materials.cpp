// Materials for the emulation's lighting: glMaterialf, and glColorMaterial making the current
// colour the chosen material property while GL_COLOR_MATERIAL is on. The emulation lights front
// faces only and has no emission term; those values reach it as far as it has a place for them.
#define ORBEK_WEBGL_NO_RENAME
#include "platform/web/gl/ShimGL.h"

#include "platform/web/gl/ShimState.h"

namespace {

struct MaterialValues {
    GLfloat v[4];
};

void setMaterial(GLenum face, GLenum name, const GLfloat* values) {
    if (face == GL_BACK) return;
    switch (name) {
        case GL_AMBIENT_AND_DIFFUSE:
            glMaterialfv(GL_FRONT, GL_AMBIENT, values);
            glMaterialfv(GL_FRONT, GL_DIFFUSE, values);
            break;
        case GL_AMBIENT:
        case GL_DIFFUSE:
        case GL_SPECULAR:
        case GL_SHININESS:
            glMaterialfv(GL_FRONT, name, values);
            break;
        default:
            break;
    }
}

}  // namespace

namespace webgl {

void followColourMaterial() {
    if (!isEnabled(GL_COLOR_MATERIAL)) return;
    setMaterial(state().colourMaterialFace, state().colourMaterialMode, state().current.colour);
}

}  // namespace webgl

void orbekglColorMaterial(GLenum face, GLenum mode) {
    if (webgl::recorded([=] { orbekglColorMaterial(face, mode); })) return;
    webgl::flushPoints();
    webgl::state().colourMaterialFace = face;
    webgl::state().colourMaterialMode = mode;
    webgl::followColourMaterial();
}

void orbekglMaterialfv(GLenum face, GLenum name, const GLfloat* values) {
    MaterialValues copy{{values[0], 0.0f, 0.0f, 0.0f}};
    if (name != GL_SHININESS)
        for (int i = 1; i < 4; ++i) copy.v[i] = values[i];
    if (webgl::recorded([=] { orbekglMaterialfv(face, name, copy.v); })) return;
    webgl::flushPoints();
    setMaterial(face, name, copy.v);
}

void orbekglMaterialf(GLenum face, GLenum name, GLfloat value) {
    orbekglMaterialfv(face, name, &value);
}
