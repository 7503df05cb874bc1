// A triangle mesh (0x4100): vertex, face and mapping lists and the face list's material groups.
// Once read, the mesh is made safe to draw: faces that index past the vertices are dropped, and
// texture coordinates that do not cover every vertex are dropped.
#include <cstdint>

#include "model3ds/CError.h"
#include "scene/Mesh.h"
#include "scene/SceneObject.h"

namespace {

// glDrawElements trusts every index, so a face list must stay inside the vertex array.
void dropUnsafeArrays(Mesh* mesh) {
    if (mesh->faces) {
        const std::int64_t indexCount = static_cast<std::int64_t>(mesh->faceCount) * 3;
        for (std::int64_t i = 0; i < indexCount; ++i) {
            if (mesh->faces[i] >= mesh->vertexCount) {
                delete[] mesh->faces;
                mesh->faces = nullptr;
                mesh->faceCount = 0;
                break;
            }
        }
    }
    if (mesh->texCoords && mesh->texCoordCount < mesh->vertexCount) {
        delete[] mesh->texCoords;
        mesh->texCoords = nullptr;
        mesh->texCoordCount = 0;
    }
}

}  // namespace

bool SceneObject::readTriangleMesh(const ChunkHeader& header, Mesh* mesh) {
    try {
        const ChunkBounds bounds = chunkBounds(header);
        // The face list's own children (material and smoothing groups) lie inside it; its reader
        // takes only the faces, so this loop meets those children next, as if they were its own.
        while (cursor < bounds.end) {
            ChunkHeader sub;
            if (!readChunkHeader(sub)) throw CError();
            switch (sub.id) {
                case chunk::vertexList: {
                    std::int32_t count = 0;
                    float* vertices = readVertexList(sub, count);
                    if (!vertices) throw CError();
                    delete[] mesh->vertices;
                    mesh->vertices = vertices;
                    mesh->vertexCount = count;
                    break;
                }
                case chunk::faceList: {
                    std::int32_t count = 0;
                    std::uint16_t* faces = readFaceList(sub, count);
                    if (!faces) throw CError();
                    delete[] mesh->faces;
                    mesh->faces = faces;
                    mesh->faceCount = count;
                    break;
                }
                case chunk::materialGroup:
                    if (!readMaterialGroup(sub, mesh)) throw CError();
                    break;
                case chunk::mappingCoords:
                    if (!readMappingCoords(sub, mesh)) throw CError();
                    break;
                default:
                    if (!skipChunk(sub)) throw CError();
                    break;
            }
        }
    } catch (const CError&) {
        dropUnsafeArrays(mesh);
        return false;
    }
    dropUnsafeArrays(mesh);
    return true;
}
