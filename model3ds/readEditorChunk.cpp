// The editor chunk (0x3D3D): hands materials and named objects to their handlers and steps over
// everything else it holds (views, lights' ambient, fog, background, ...).
#include "model3ds/CError.h"
#include "scene/SceneObject.h"

bool SceneObject::readEditorChunk(const ChunkHeader& header) {
    try {
        const ChunkBounds bounds = chunkBounds(header);
        while (cursor < bounds.end) {
            ChunkHeader sub;
            if (!readChunkHeader(sub)) throw CError();
            bool ok;
            switch (sub.id) {
                case chunk::meshVersion: {
                    std::uint32_t version;
                    ok = readU32(version);
                    break;
                }
                case chunk::masterScale: {
                    float masterScale;
                    ok = readFloat(masterScale);
                    break;
                }
                case chunk::material:
                    ok = readMaterial(sub);
                    break;
                case chunk::namedObject:
                    ok = readNamedObject(sub);
                    break;
                default:
                    ok = skipChunk(sub);
                    break;
            }
            if (!ok) throw CError();
        }
    } catch (const CError&) {
        return false;
    }
    return true;
}
