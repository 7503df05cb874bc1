// Mesh storage and drawing: one batch per mesh from client-side arrays, no per-frame allocation,
// and the client states switched off again after every draw.
#include "scene/Mesh.h"

#include "platform/GL.h"
#include "scene/Material.h"

Mesh::Mesh()
    : name(nullptr),
      faceCount(0),
      vertexCount(0),
      faces(nullptr),
      vertices(nullptr),
      normals(nullptr),
      texCoords(nullptr),
      material(nullptr),
      texCoordCount(0) {}

Mesh::~Mesh() {
    delete[] vertices;
    delete[] faces;
    delete[] texCoords;
    delete[] normals;
    delete[] name;
}

void Mesh::draw() {
    if (!vertices || !faces) return;
    if (material) material->apply();

    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices);
    if (texCoords) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, texCoords);
    }
    if (normals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, normals);
    }
    glDrawElements(GL_TRIANGLES, faceCount * 3, GL_UNSIGNED_SHORT, faces);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}
