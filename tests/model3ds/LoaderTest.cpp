// The 3DS loader against well-formed and hostile files: what it keeps, where it stops, and that a
// lying chunk never makes it read, allocate or draw outside what the file holds.
#include <gtest/gtest.h>

#include <cstring>

#include "ModelFiles.h"
#include "platform/MappedFile.h"

using models::loadBytes;
using models::loadModel;
using write3ds::ChunkWriter;

namespace {

void vertexList(ChunkWriter& w, std::uint16_t n) {
    w.begin(0x4110);
    w.u16(n);
    for (int i = 0; i < n * 3; ++i) w.f32(static_cast<float>(i));
    w.end();
}

void faceList(ChunkWriter& w, std::initializer_list<std::uint16_t> indices) {
    w.begin(0x4120);
    w.u16(static_cast<std::uint16_t>(indices.size() / 3));
    int k = 0;
    for (std::uint16_t i : indices) {
        w.u16(i);
        if (++k % 3 == 0) w.u16(7);
    }
    w.end();
}

}  // namespace

TEST(Loader, KeepsMeshesAndMaterialsInFileOrder) {
    auto model = loadModel(models::sampleModel());
    EXPECT_EQ(model->object.loadError, nullptr);
    ASSERT_EQ(model->meshCount(), 2);
    Mesh* quad = static_cast<Mesh*>(model->object.meshes->first());
    EXPECT_STREQ(quad->name, "Quad");
    EXPECT_EQ(quad->vertexCount, 4);
    EXPECT_EQ(quad->faceCount, 2);
    ASSERT_NE(quad->texCoords, nullptr);
    EXPECT_EQ(quad->texCoordCount, 4);
    EXPECT_EQ(quad->normals, nullptr);
    EXPECT_FLOAT_EQ(quad->vertices[6], 1.0f);  // third vertex x
    EXPECT_EQ(quad->faces[5], 3);
    ASSERT_NE(quad->material, nullptr);
    EXPECT_STREQ(quad->material->name, "Red");
    // The key is the mesh's own name buffer, not a copy.
    EXPECT_EQ(model->object.meshes->key, quad->name);
    Mesh* tri = static_cast<Mesh*>(model->object.meshes->next());
    EXPECT_STREQ(tri->name, "Tri");
    EXPECT_EQ(tri->material, nullptr);
    EXPECT_EQ(tri->texCoords, nullptr);
    // The mapping is released on the way out.
    EXPECT_EQ(model->object.view, nullptr);
    EXPECT_EQ(model->object.mappingHandle, nullptr);
    EXPECT_EQ(model->object.fileHandle, platform::invalidFileHandle);
}

TEST(Loader, LoadingTwiceAppends) {
    auto model = loadModel(models::sampleModel());
    model->object.load(model->path.c_str());
    EXPECT_EQ(model->meshCount(), 4);
    EXPECT_EQ(model->materialCount(), 2);
}

TEST(Loader, RefusesMissingEmptyShortAndForeignFiles) {
    testing::internal::CaptureStderr();
    SceneObject missing;
    missing.load(models::scratchPath("does-not-exist.3ds").c_str());
    EXPECT_STREQ(missing.loadError, "Error En Obrir l'Arxiu");
    EXPECT_EQ(missing.fileHandle, platform::invalidFileHandle);

    auto empty = loadBytes({});
    EXPECT_STREQ(empty->object.loadError, "Error En Obrir l'Arxiu");

    auto foreign = loadBytes({'B', 'M', 8, 0, 0, 0, 0, 0});
    EXPECT_STREQ(foreign->object.loadError, "El fitxer no es un fitxer Binary 3DS");
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("ERROR: Error En Obrir l'Arxiu"), std::string::npos);
    EXPECT_NE(messages.find("ERROR: El fitxer no es un fitxer Binary 3DS"), std::string::npos);

    // Silent ends: too short for a header, and a main chunk longer than the file.
    auto tiny = loadBytes({0x4D, 0x4D, 6, 0});
    EXPECT_NE(tiny->object.loadError, nullptr);
    ChunkWriter w;
    w.begin(0x4D4D);
    w.end();
    w.bytes()[2] = 200;
    auto longMain = loadBytes(w.bytes());
    EXPECT_NE(longMain->object.loadError, nullptr);
    EXPECT_EQ(longMain->meshCount(), 0);
    EXPECT_EQ(longMain->object.view, nullptr);
}

TEST(Loader, WalksPastShortMainChunkAndOverKeyFramerAndUnknownChunks) {
    std::vector<std::uint8_t> bytes;
    {
        ChunkWriter w;
        w.begin(0x4D4D);
        w.begin(0x0002);
        w.u32(3);
        w.end();
        w.end();
        w.begin(0x1234);  // unknown, empty body
        w.end();
        w.begin(0xB000);  // key-framer with well-formed children
        w.begin(0xB00A);
        w.u32(0);
        w.end();
        w.begin(0xB002);
        w.begin(0xB010);
        w.str("Obj");
        w.end();
        w.end();
        w.end();
        // An editor after the main chunk's end is still read as a top-level chunk.
        w.begin(0x3D3D);
        w.begin(0x4000);
        w.str("After");
        w.begin(0x4100);
        vertexList(w, 3);
        faceList(w, {0, 1, 2});
        w.end();
        w.end();
        w.end();
        bytes = w.bytes();
    }
    auto model = loadBytes(bytes);
    EXPECT_EQ(model->object.loadError, nullptr);
    ASSERT_EQ(model->meshCount(), 1);
    EXPECT_EQ(model->mesh("After")->faceCount, 1);
}

TEST(Loader, KeyFramerChildShorterThanHeaderEndsLoadKeepingEarlierMeshes) {
    ChunkWriter w;
    w.begin(0x4D4D);
    w.begin(0x3D3D);
    w.begin(0x4000);
    w.str("Kept");
    w.end();
    w.end();
    w.begin(0xB000);
    w.u16(0xB002);
    w.u32(3);  // shorter than a header
    w.end();
    w.end();
    auto model = loadBytes(w.bytes());
    EXPECT_NE(model->object.loadError, nullptr);
    EXPECT_EQ(model->meshCount(), 1);
    EXPECT_NE(model->mesh("Kept"), nullptr);
}

TEST(Loader, MaterialLibraryFirstIsAcceptedButLoadsNothing) {
    ChunkWriter w;
    w.begin(0x3DAA);
    w.begin(0xAFFF);
    w.begin(0xA000);
    w.str("Lib");
    w.end();
    w.end();
    w.end();
    testing::internal::CaptureStderr();
    auto model = loadBytes(w.bytes());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(model->object.loadError, nullptr);
    EXPECT_EQ(model->materialCount(), 0);
}

TEST(Loader, CamerasAndLightsBecomeMeshesWithoutGeometry) {
    ChunkWriter w;
    w.begin(0x4D4D);
    w.begin(0x3D3D);
    w.begin(0x4000);
    w.str("Camera01");
    w.begin(0x4700);
    for (int i = 0; i < 8; ++i) w.f32(1.0f);
    w.end();
    w.end();
    w.begin(0x4000);
    w.str("Light01");
    w.begin(0x4600);
    for (int i = 0; i < 3; ++i) w.f32(2.0f);
    w.end();
    w.end();
    w.end();
    w.end();
    auto model = loadBytes(w.bytes());
    ASSERT_EQ(model->meshCount(), 2);
    Mesh* camera = model->mesh("Camera01");
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->vertices, nullptr);
    EXPECT_EQ(camera->faces, nullptr);
    EXPECT_EQ(camera->vertexCount, 0);
}

TEST(Loader, NamesAreKeptTo255CharactersAndReadToTheirEnd) {
    const std::string exact(254, 'a'), longName(300, 'b');
    ChunkWriter w;
    w.begin(0x4D4D);
    w.begin(0x3D3D);
    for (const std::string* name : {&exact, &longName}) {
        w.begin(0x4000);
        w.str(*name);
        w.begin(0x4100);
        vertexList(w, 1);
        w.end();
        w.end();
    }
    w.end();
    w.end();
    auto model = loadBytes(w.bytes());
    EXPECT_EQ(model->object.loadError, nullptr);
    ASSERT_EQ(model->meshCount(), 2);
    Mesh* first = static_cast<Mesh*>(model->object.meshes->first());
    Mesh* second = static_cast<Mesh*>(model->object.meshes->next());
    EXPECT_EQ(std::string(first->name), exact);
    EXPECT_EQ(std::string(second->name), longName.substr(0, 255));
    // The cursor went on past the 300th character: the vertex list after the name was found.
    EXPECT_EQ(second->vertexCount, 1);
}

TEST(Loader, NameWithoutTerminatorAtEndOfFileFails) {
    std::vector<std::uint8_t> bytes = {0x4D, 0x4D, 0, 0, 0, 0, 0x3D, 0x3D, 0, 0, 0, 0,
                                       0x00, 0x40, 0, 0, 0, 0, 'a', 'b', 'c'};
    const std::uint32_t sizes[] = {static_cast<std::uint32_t>(bytes.size()), static_cast<std::uint32_t>(bytes.size() - 6),
                                   static_cast<std::uint32_t>(bytes.size() - 12)};
    for (int i = 0; i < 3; ++i) std::memcpy(&bytes[i * 6 + 2], &sizes[i], 4);
    auto model = loadBytes(bytes);
    EXPECT_NE(model->object.loadError, nullptr);
    EXPECT_EQ(model->meshCount(), 0);
}

TEST(Loader, LyingCountsAreRejectedBeforeAllocation) {
    // Each list claims 65,535 entries but holds one; the object is dropped and the load ends.
    for (std::uint16_t id : {0x4110, 0x4120, 0x4140}) {
        ChunkWriter w;
        w.begin(0x4D4D);
        w.begin(0x3D3D);
        w.begin(0x4000);
        w.str("Liar");
        w.begin(0x4100);
        w.begin(id);
        w.u16(65535);
        for (int i = 0; i < 4; ++i) w.f32(0.0f);
        w.end();
        w.end();
        w.end();
        w.end();
        w.end();
        auto model = loadBytes(w.bytes());
        EXPECT_NE(model->object.loadError, nullptr) << std::hex << id;
        EXPECT_EQ(model->meshCount(), 0) << std::hex << id;
    }
}

TEST(Loader, FacesOutsideTheVerticesAreDroppedAndTheMeshIsNotDrawn) {
    ChunkWriter w;
    w.begin(0x4D4D);
    w.begin(0x3D3D);
    w.begin(0x4000);
    w.str("Bad");
    w.begin(0x4100);
    vertexList(w, 3);
    faceList(w, {0, 1, 2, 0, 2, 3});
    w.end();
    w.end();
    w.end();
    w.end();
    auto model = loadBytes(w.bytes());
    EXPECT_EQ(model->object.loadError, nullptr);
    Mesh* mesh = model->mesh("Bad");
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->faces, nullptr);
    EXPECT_EQ(mesh->faceCount, 0);
    EXPECT_EQ(mesh->vertexCount, 3);
}

TEST(Loader, ShortMappingDropsTexCoordsAndLaterListsReplaceEarlierOnes) {
    ChunkWriter w;
    w.begin(0x4D4D);
    w.begin(0x3D3D);
    w.begin(0x4000);
    w.str("Twice");
    w.begin(0x4100);
    vertexList(w, 2);
    vertexList(w, 4);
    faceList(w, {0, 1, 2});
    faceList(w, {0, 1, 2, 1, 2, 3});
    w.begin(0x4140);
    w.u16(3);  // one pair short of the four vertices
    for (int i = 0; i < 6; ++i) w.f32(0.5f);
    w.end();
    w.end();
    w.end();
    w.begin(0x4000);
    w.str("Short");
    w.begin(0x4100);
    vertexList(w, 2);
    w.begin(0x4140);
    w.u16(2);
    for (int i = 0; i < 4; ++i) w.f32(0.25f);
    w.end();
    w.end();
    w.end();
    w.end();
    w.end();
    auto model = loadBytes(w.bytes());
    Mesh* twice = model->mesh("Twice");
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(twice->vertexCount, 4);
    EXPECT_EQ(twice->faceCount, 2);
    EXPECT_EQ(twice->texCoords, nullptr);
    Mesh* enough = model->mesh("Short");
    ASSERT_NE(enough, nullptr);
    ASSERT_NE(enough->texCoords, nullptr);
    EXPECT_FLOAT_EQ(enough->texCoords[3], 0.25f);
}

TEST(Loader, EmptyVertexListIsPresent) {
    ChunkWriter w;
    w.begin(0x4D4D);
    w.begin(0x3D3D);
    w.begin(0x4000);
    w.str("Empty");
    w.begin(0x4100);
    vertexList(w, 0);
    w.end();
    w.end();
    w.end();
    w.end();
    auto model = loadBytes(w.bytes());
    Mesh* mesh = model->mesh("Empty");
    ASSERT_NE(mesh, nullptr);
    EXPECT_NE(mesh->vertices, nullptr);
    EXPECT_EQ(mesh->vertexCount, 0);
}

TEST(Loader, MaterialGroupsPickTheLastKnownMaterialAndSkipSmoothing) {
    write3ds::Model m = models::sampleModel();
    write3ds::MaterialDesc blue;
    blue.name = "Blue";
    blue.diffuse = {0, 0, 1};
    m.materials.push_back(blue);
    std::vector<std::uint8_t> bytes;
    ChunkWriter w;
    w.begin(0x4D4D);
    w.begin(0x3D3D);
    // Materials first, as the encoder writes them, then one object by hand.
    {
        write3ds::Model materialsOnly;
        materialsOnly.materials = m.materials;
        std::vector<std::uint8_t> encoded = write3ds::encode(materialsOnly);
        // Skip main(6) + version(10) + editor(6) + mesh version(10); drop master scale at the end.
        w.raw(encoded.data() + 32, encoded.size() - 32 - 10);
    }
    for (const char* groups : {"two", "unknown"}) {
        w.begin(0x4000);
        w.str(groups);
        w.begin(0x4100);
        vertexList(w, 3);
        w.begin(0x4120);
        w.u16(1);
        for (std::uint16_t v : {0, 1, 2, 7}) w.u16(v);
        const bool two = std::strcmp(groups, "two") == 0;
        for (const char* name : two ? std::vector<const char*>{"Red", "Blue"} : std::vector<const char*>{"Red", "Nope"}) {
            w.begin(0x4130);
            w.str(name);
            w.u16(1);
            w.u16(0);
            w.end();
        }
        w.begin(0x4150);
        w.u32(1);
        w.end();
        w.end();
        w.end();
        w.end();
    }
    w.end();
    w.end();
    auto model = loadBytes(w.bytes());
    EXPECT_EQ(model->object.loadError, nullptr);
    ASSERT_NE(model->mesh("two"), nullptr);
    ASSERT_NE(model->mesh("two")->material, nullptr);
    EXPECT_STREQ(model->mesh("two")->material->name, "Blue");
    ASSERT_NE(model->mesh("unknown"), nullptr);
    EXPECT_EQ(model->mesh("unknown")->material, nullptr);
    EXPECT_EQ(model->mesh("two")->faceCount, 1);
}
