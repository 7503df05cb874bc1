// A material (0xAFFF): name, three colours, shininess and the last texture map. It is appended
// when its chunk ends, so only meshes after it can use it; a failed material is dropped whole.
#include "model3ds/CError.h"
#include "scene/Material.h"
#include "scene/NamedList.h"
#include "scene/SceneObject.h"

// A percentage of shininess becomes GL's exponent, 0 to 128.
constexpr double shininessScale = 128.0;

bool SceneObject::readMaterial(const ChunkHeader& header) {
    Material* material = new Material();
    try {
        const ChunkBounds bounds = chunkBounds(header);
        while (cursor < bounds.end) {
            ChunkHeader sub;
            if (!readChunkHeader(sub)) throw CError();
            switch (sub.id) {
                case chunk::materialName: {
                    char* name = nullptr;
                    if (!readString(name)) throw CError();
                    delete[] material->name;
                    material->name = name;
                    break;
                }
                case chunk::ambientColour:
                case chunk::diffuseColour:
                case chunk::specularColour: {
                    float r, g, b;
                    if (!readColour(r, g, b)) throw CError();
                    if (sub.id == chunk::ambientColour)
                        material->setAmbient(r, g, b);
                    else if (sub.id == chunk::diffuseColour)
                        material->setDiffuse(r, g, b);
                    else
                        material->setSpecular(r, g, b);
                    // A 24-byte colour chunk is a 24-bit colour and its gamma-corrected twin.
                    if (sub.length == chunk::colourPairLength) {
                        float twinR, twinG, twinB;
                        if (!readColour(twinR, twinG, twinB)) throw CError();
                    }
                    break;
                }
                case chunk::shininess: {
                    double percentage;
                    if (!readPercentage(percentage)) throw CError();
                    material->shininess = static_cast<float>(percentage * shininessScale);
                    break;
                }
                default:
                    if (chunk::isTextureMap(sub.id)) {
                        if (!readTextureMap(material, sub)) throw CError();
                    } else if (!skipChunk(sub)) {
                        throw CError();
                    }
                    break;
            }
        }
    } catch (const CError&) {
        delete material;
        return false;
    }
    materials->add(material->name, material);
    return true;
}
