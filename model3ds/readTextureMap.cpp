// A texture map chunk of any kind (texture, bump, opacity, reflection, masks, ...) becomes the
// material's one texture, loaded from textureFolder plus the map's file name. A map without a
// usable name, with a name cut short on reading, or whose path would not fit the 255-character
// buffer, leaves the material untextured: a path is never truncated into another file's name. A
// name that is not a bare file name is refused as a file that cannot be opened.
#include <cstring>

#include "platform/FileNames.h"
#include "platform/GL.h"
#include "scene/Material.h"
#include "scene/SceneObject.h"
#include "scene/Texture.h"

constexpr std::size_t texturePathSize = 256;

bool SceneObject::readTextureMap(Material* material, const ChunkHeader& header) {
    const ChunkBounds bounds = chunkBounds(header);
    char* fileName = nullptr;
    bool nameCut = false;
    while (cursor < bounds.end) {
        ChunkHeader sub;
        bool ok;
        if (!readChunkHeader(sub)) {
            ok = false;
        } else if (sub.id == chunk::mapFileName) {
            char* name = nullptr;
            bool cut = false;
            ok = readString(name, cut);
            if (ok) {
                delete[] fileName;  // a later name replaces an earlier one
                fileName = name;
                nameCut = cut;
            }
        } else {
            ok = skipChunk(sub);
        }
        if (!ok) {
            delete[] fileName;
            return false;
        }
    }

    const std::size_t folderLength = std::strlen(textureFolder);
    const std::size_t nameLength = fileName ? std::strlen(fileName) : 0;
    delete material->texture;
    material->texture = nullptr;
    if (nameLength == 0 || nameCut || folderLength + nameLength >= texturePathSize) {
        delete[] fileName;
        return true;
    }

    char path[texturePathSize];
    std::memcpy(path, textureFolder, folderLength);
    std::memcpy(path + folderLength, fileName, nameLength + 1);
    delete[] fileName;

    // The name comes from the file: one that could reach outside the folder or open a device is
    // never handed to the file system.
    Texture* texture = new Texture();
    if (platform::bareNameProblem(path + folderLength, nameLength) == nullptr)
        texture->load(path, 0, 0, GL_LINEAR, GL_LINEAR);
    else
        texture->refuse(path);
    material->texture = texture;
    return true;
}
