// Small but complete assets: every model the start-up loads, both flag bitmaps and a short
// attitude recording. The music is left out, so the player runs silent and the show starts at once.
#include "tests/director/DemoFixture.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "app/Demo.h"
#include "app/Objects.h"
#include "app/AssetFolder.h"
#include "director/Director.h"
#include "platform/Files.h"
#include "scene/NamedList.h"
#include "scene/Paths.h"
#include "scene/SceneObject.h"
#include "tests/scene/BitmapFiles.h"
#include "tools/write3ds/Writer3ds.h"

namespace {

write3ds::Model polyline(std::vector<float> points) {
    write3ds::Model model;
    write3ds::MeshDesc mesh;
    mesh.name = "line";
    mesh.vertices = std::move(points);
    model.meshes.push_back(mesh);
    return model;
}

write3ds::Model box(const char* name, float size, const char* texture) {
    write3ds::Model model;
    write3ds::MaterialDesc material;
    material.name = std::string(name) + "-skin";
    material.diffuse = {0.8f, 0.7f, 0.6f};
    material.textureFile = texture ? texture : "";
    model.materials.push_back(material);
    write3ds::MeshDesc mesh;
    mesh.name = name;
    mesh.material = material.name;
    for (int corner = 0; corner < 8; ++corner) {
        mesh.vertices.push_back(corner & 1 ? size : -size);
        mesh.vertices.push_back(corner & 2 ? size : -size);
        mesh.vertices.push_back(corner & 4 ? size : -size);
        mesh.texCoords.push_back(corner & 1 ? 1.0f : 0.0f);
        mesh.texCoords.push_back(corner & 2 ? 1.0f : 0.0f);
    }
    const std::uint16_t faces[] = {0, 1, 3, 0, 3, 2, 4, 6, 7, 4, 7, 5, 0, 4, 5, 0, 5, 1,
                                   2, 3, 7, 2, 7, 6, 0, 2, 6, 0, 6, 4, 1, 5, 7, 1, 7, 3};
    mesh.faces.assign(std::begin(faces), std::end(faces));
    model.meshes.push_back(mesh);
    return model;
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// A 4 x 4 24-bit bitmap of one colour.
std::vector<unsigned char> bitmap(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return bitmaps::build(bitmaps::picture(4, 4, [=](int, int) { return bitmaps::Rgb{r, g, b}; }));
}

}  // namespace

void StartedDemo::writeAssets(const std::string& folder, int seqRecords) {
    write3ds::writeFile(folder + "tubo6.3ds", box("tube", 3.0f, "tube.bmp"));
    write3ds::writeFile(folder + "lineatubo6.3ds",
                        polyline({0, 0, 0.5f, 0, 300, 0.5f, 0, 700, 1.0f}));
    write3ds::writeFile(folder + "coet.3ds", box("rocket", 0.5f, nullptr));
    write3ds::writeFile(folder + "estrelles.3ds", box("stars", 40.0f, nullptr));
    write3ds::writeFile(folder + "avio10.3ds", box("plane", 1.0f, nullptr));
    write3ds::writeFile(folder + "terra.3ds", box("earth", 1.5f, "tube.bmp"));
    write3ds::writeFile(folder + "pathcam1.3ds",
                        polyline({0, -6, -2, 6, 0, -3, 0, 8, -2, -8, 12, -1}));
    write3ds::writeFile(folder + "pathcam2.3ds",
                        polyline({0, 0, 0, -5, 5, 0.5f, -10.9f, 11.5f, 1.4f}));
    writeBytes(folder + "tube.bmp", bitmap(200, 200, 255));
    writeBytes(folder + "bandera.bmp", bitmap(255, 0, 0));
    writeBytes(folder + "pal.bmp", bitmap(128, 128, 128));
    std::vector<unsigned char> records;
    for (int i = 0; i < seqRecords; ++i) {
        float angles[3] = {float(i), 180.0f + i, -float(i)};
        unsigned char bytes[12];
        std::memcpy(bytes, angles, sizeof bytes);  // little-endian, as this machine
        records.insert(records.end(), bytes, bytes + 12);
    }
    writeBytes(folder + "seq1.dat", records);
}

void StartedDemo::SetUp() {
    gl = std::make_unique<testing_support::OffscreenGL>();
    ASSERT_TRUE(gl->ready()) << gl->error();
    char systemTemp[255];
    ASSERT_GT(platform::getTempPath(sizeof systemTemp, systemTemp), 0u);
    tempFolderLength =
        platform::makePrivateFolder(systemTemp, "orbek42-director-", sizeof tempFolder, tempFolder);
    ASSERT_GT(tempFolderLength, 0u);
    writeAssets(tempFolder, seqRecords);
    resetDirector();
    ASSERT_TRUE(initDemo());
    keepModelItems();
}

// Meshes and materials live as long as the demo's process and are never freed, but the shutdown
// deletes the objects that list them. Held here, they stay reachable to the end, as in the demo.
void StartedDemo::keepModelItems() {
    static auto* kept = new std::vector<void*>;  // never destroyed: it must outlast the exit
    for (SceneObject* object :
         {tube, rocket, stars, aeroplane, earth, static_cast<SceneObject*>(tubePath),
          static_cast<SceneObject*>(cameraPath1), static_cast<SceneObject*>(cameraPath2),
          static_cast<SceneObject*>(approachPath), static_cast<SceneObject*>(launchPath),
          static_cast<SceneObject*>(finalLookPath), static_cast<SceneObject*>(finalEyePath)}) {
        if (object == nullptr) continue;
        for (NamedList* list : {object->meshes, object->materials})
            for (void* item = list->first(); item; item = list->next()) kept->push_back(item);
    }
}

void StartedDemo::TearDown() {
    // The files go; the objects end with the test process, as the demo's own do.
    std::error_code ignored;
    std::filesystem::remove_all(tempFolder, ignored);
}
