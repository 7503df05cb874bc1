// A material group (0x4130): the named material covers the whole mesh; the face indices are
// stepped over. The last group read decides, and an unknown name leaves the mesh without one.
#include "scene/Material.h"
#include "scene/Mesh.h"
#include "scene/NamedList.h"
#include "scene/SceneObject.h"

bool SceneObject::readMaterialGroup(const ChunkHeader& header, Mesh* mesh) {
    const ChunkBounds bounds = chunkBounds(header);
    char* name = nullptr;
    if (!readString(name)) return false;
    Material* material = static_cast<Material*>(materials->find(name));
    delete[] name;

    std::uint16_t n;
    if (bytesLeft(bounds) < 2 || !readU16(n)) return false;
    if (bytesLeft(bounds) < static_cast<std::uint32_t>(n) * 2) return false;
    cursor += static_cast<std::uint32_t>(n) * 2;
    mesh->material = material;
    return true;
}
