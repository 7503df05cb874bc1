// Material state for mesh drawing: a fixed sequence of GL calls per mesh, no caching between
// meshes, so a material always wins over whatever an effect left behind.
#include "scene/Material.h"

#include "platform/GL.h"
#include "scene/Texture.h"

Material::Material()
    : shininess(0.0f),
      texture(nullptr),
      name(nullptr),
      ambient{0.0f, 0.0f, 0.0f, 1.0f},
      diffuse{0.0f, 0.0f, 0.0f, 1.0f},
      specular{0.0f, 0.0f, 0.0f, 1.0f} {}

Material::~Material() {
    delete texture;
    delete[] name;
}

void Material::setAmbient(float r, float g, float b) {
    ambient[0] = r;
    ambient[1] = g;
    ambient[2] = b;
}

void Material::setDiffuse(float r, float g, float b) {
    diffuse[0] = r;
    diffuse[1] = g;
    diffuse[2] = b;
}

void Material::setSpecular(float r, float g, float b) {
    specular[0] = r;
    specular[1] = g;
    specular[2] = b;
}

void Material::apply() {
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT);
    glColor3fv(ambient);
    glColorMaterial(GL_FRONT, GL_DIFFUSE);
    glColor3fv(diffuse);
    // No colour between these two: the current colour stays the diffuse one.
    glColorMaterial(GL_FRONT, GL_SPECULAR);
    glColorMaterial(GL_FRONT, GL_EMISSION);
    glDisable(GL_COLOR_MATERIAL);
    glMaterialf(GL_FRONT, GL_SHININESS, shininess);
    if (texture) {
        glEnable(GL_TEXTURE_2D);
        texture->bind();
    } else {
        glDisable(GL_TEXTURE_2D);
    }
}
