// A named object (0x4000) becomes one mesh, appended only once the whole chunk was read. Objects
// without a triangle mesh (cameras, lights) become meshes with a name and no geometry.
#include "model3ds/CError.h"
#include "scene/Mesh.h"
#include "scene/NamedList.h"
#include "scene/SceneObject.h"

bool SceneObject::readNamedObject(const ChunkHeader& header) {
    Mesh* mesh = new Mesh();
    try {
        const ChunkBounds bounds = chunkBounds(header);
        if (!readString(mesh->name)) throw CError();
        while (cursor < bounds.end) {
            ChunkHeader sub;
            if (!readChunkHeader(sub)) throw CError();
            const bool ok =
                sub.id == chunk::triangleMesh ? readTriangleMesh(sub, mesh) : skipChunk(sub);
            if (!ok) throw CError();
        }
    } catch (const CError&) {
        delete mesh;
        return false;
    }
    meshes->add(mesh->name, mesh);
    return true;
}
