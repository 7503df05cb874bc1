// Scene object construction, sharing, transform and drawing. The loader's members are in
// model3ds/. Drawing leaves the object's transform on the modelview matrix for what follows.
#include "scene/SceneObject.h"

#include <cstring>

#include "platform/GL.h"
#include "scene/Material.h"
#include "scene/Mesh.h"
#include "scene/NamedList.h"

SceneObject::SceneObject() : meshes(new NamedList()), materials(new NamedList()) {}

// The loader state starts afresh; only the transform and the texture folder are copied.
SceneObject::SceneObject(const SceneObject& other)
    : position(other.position),
      rotation(other.rotation),
      scale(other.scale),
      meshes(other.meshes),
      materials(other.materials),
      shared(true) {
    std::memcpy(textureFolder, other.textureFolder, sizeof textureFolder);
}

SceneObject::~SceneObject() {
    if (shared) return;
    delete meshes;
    delete materials;
}

void SceneObject::setTextureFolder(const char* folder) {
    textureFolder[0] = '\0';
    if (!folder) return;
    std::strncpy(textureFolder, folder, sizeof textureFolder - 1);
    textureFolder[sizeof textureFolder - 1] = '\0';
}

void SceneObject::setScale(float s) {
    scale.x = scale.y = scale.z = s;
}

void SceneObject::applyTransform() {
    glTranslatef(position.x, position.y, position.z);
    glRotatef(rotation.x, 1.0f, 0.0f, 0.0f);
    glRotatef(rotation.y, 0.0f, 1.0f, 0.0f);
    glRotatef(rotation.z, 0.0f, 0.0f, 1.0f);
}

void SceneObject::draw(bool applyTransformFirst) {
    Mesh* mesh = static_cast<Mesh*>(meshes->first());
    if (applyTransformFirst) applyTransform();
    // Scale last, so it acts on the model's own coordinates before the rotations.
    glScalef(scale.x, scale.y, scale.z);
    while (mesh) {
        mesh->draw();
        mesh = static_cast<Mesh*>(meshes->next());
    }
}

void SceneObject::destroyItems() {
    if (shared) return;
    for (void* item = meshes->first(); item; item = meshes->next()) delete static_cast<Mesh*>(item);
    for (void* item = materials->first(); item; item = materials->next())
        delete static_cast<Material*>(item);
    delete meshes;
    delete materials;
    meshes = new NamedList();
    materials = new NamedList();
}
