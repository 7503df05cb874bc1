// Test helpers: write bytes or a writer model to a scratch file and load it into a SceneObject,
// release what a load made (the show itself never frees meshes or materials), and the chunk
// nesting that every hand-made file shares.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "scene/Material.h"
#include "scene/Mesh.h"
#include "scene/NamedList.h"
#include "scene/SceneObject.h"
#include "tools/write3ds/Writer3ds.h"

namespace models {

// Tests run side by side in processes of their own: each process keeps its scratch files in a
// private folder of its own, removed at exit once the files in it are gone.
inline std::string scratchPath(const std::string& name) {
    static char folder[512];  // plain storage: still there when the exit handler runs
    static const bool made = [] {
        char temp[512];
        if (platform::getTempPath(sizeof temp, temp) == 0 ||
            platform::makePrivateFolder(temp, "orbek-models-", sizeof folder, folder) == 0)
            return false;
        std::atexit([] { platform::removeFolder(folder); });
        return true;
    }();
    return made ? folder + name : name;
}

inline std::string writeBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = scratchPath(name);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

// A SceneObject that frees its meshes and materials and removes its scratch file when done.
struct LoadedModel {
    SceneObject object;
    std::string path;
    ~LoadedModel() {
        object.destroyItems();
        if (!path.empty()) std::remove(path.c_str());
    }
    int meshCount() const { return object.meshes->count; }
    int materialCount() const { return object.materials->count; }
    Mesh* mesh(const char* name) { return static_cast<Mesh*>(object.meshes->find(name)); }
    Material* material(const char* name) {
        return static_cast<Material*>(object.materials->find(name));
    }
};

inline std::unique_ptr<LoadedModel> loadBytes(const std::vector<std::uint8_t>& bytes,
                                              const char* textureFolder = nullptr) {
    static int serial = 0;
    auto model = std::make_unique<LoadedModel>();
    model->path = writeBytes("model" + std::to_string(++serial) + ".3ds", bytes);
    if (textureFolder) model->object.setTextureFolder(textureFolder);
    model->object.load(model->path.c_str());
    return model;
}

inline std::unique_ptr<LoadedModel> loadModel(const write3ds::Model& m,
                                              const char* textureFolder = nullptr) {
    return loadBytes(write3ds::encode(m), textureFolder);
}

using Writes = std::function<void(write3ds::ChunkWriter&)>;

// main > editor, holding what editor writes.
inline std::vector<std::uint8_t> editorFile(const Writes& editor) {
    write3ds::ChunkWriter w;
    w.begin(0x4D4D);
    w.begin(0x3D3D);
    editor(w);
    w.end();
    w.end();
    return w.bytes();
}

// A named object whose one child (0x4100 triangle mesh, 0x4600 light, 0x4700 camera) holds what
// body writes.
inline void namedObject(write3ds::ChunkWriter& w, const std::string& name, const Writes& body,
                        std::uint16_t kind = 0x4100) {
    w.begin(0x4000);
    w.str(name);
    w.begin(kind);
    body(w);
    w.end();
    w.end();
}

// One textured quad and one plain triangle with a red material.
inline write3ds::Model sampleModel() {
    write3ds::Model m;
    write3ds::MaterialDesc red;
    red.name = "Red";
    red.ambient = {0.2f, 0.0f, 0.0f};
    red.diffuse = {1.0f, 0.0f, 0.0f};
    red.specular = {1.0f, 1.0f, 1.0f};
    red.shininessPercent = 25;
    m.materials.push_back(red);
    write3ds::MeshDesc quad;
    quad.name = "Quad";
    quad.vertices = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
    quad.faces = {0, 1, 2, 0, 2, 3};
    quad.texCoords = {0, 0, 1, 0, 1, 1, 0, 1};
    quad.material = "Red";
    m.meshes.push_back(quad);
    write3ds::MeshDesc tri;
    tri.name = "Tri";
    tri.vertices = {0, 0, 0, 2, 0, 0, 0, 2, 0};
    tri.faces = {0, 1, 2};
    m.meshes.push_back(tri);
    return m;
}

}  // namespace models
