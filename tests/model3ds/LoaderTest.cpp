// The 3DS loader against well-formed and hostile files: what it keeps, where it stops, and that a
// lying chunk never makes it read, allocate or draw outside what the file holds.
#include <gtest/gtest.h>

#include <cstring>

#include "ModelFiles.h"
#include "platform/MappedFile.h"

using models::editorFile;
using models::loadBytes;
using models::namedObject;
using models::Writes;
using write3ds::ChunkWriter;

namespace {

void vertexList(ChunkWriter& w, std::uint16_t n) {
    w.begin(0x4110);
    w.u16(n);
    for (int i = 0; i < n * 3; ++i) w.f32(static_cast<float>(i));
    w.end();
}

// Faces with flags 7; groups writes the face list's own children (material and smoothing groups).
void faceList(ChunkWriter& w, std::initializer_list<std::uint16_t> indices,
              const Writes& groups = {}) {
    w.begin(0x4120);
    w.u16(static_cast<std::uint16_t>(indices.size() / 3));
    int k = 0;
    for (std::uint16_t i : indices) {
        w.u16(i);
        if (++k % 3 == 0) w.u16(7);
    }
    if (groups) groups(w);
    w.end();
}

void mappingList(ChunkWriter& w, std::uint16_t n, float value) {
    w.begin(0x4140);
    w.u16(n);
    for (int i = 0; i < n * 2; ++i) w.f32(value);
    w.end();
}

}  // namespace

TEST(Loader, KeepsMeshesAndMaterialsInFileOrderAndAppendsOnASecondLoad) {
    auto model = models::loadModel(models::sampleModel());
    EXPECT_EQ(model->object.loadError, nullptr);
    ASSERT_EQ(model->meshCount(), 2);
    Mesh* quad = static_cast<Mesh*>(model->object.meshes->first());
    EXPECT_STREQ(quad->name, "Quad");
    EXPECT_EQ(quad->vertexCount, 4);
    EXPECT_EQ(quad->faceCount, 2);
    ASSERT_NE(quad->texCoords, nullptr);
    EXPECT_EQ(quad->texCoordCount, 4);
    EXPECT_FLOAT_EQ(quad->vertices[6], 1.0f);  // third vertex x
    EXPECT_EQ(quad->faces[5], 3);
    ASSERT_NE(quad->material, nullptr);
    EXPECT_STREQ(quad->material->name, "Red");
    EXPECT_EQ(model->object.meshes->key, quad->name);  // the key is the mesh's own name buffer
    Mesh* tri = static_cast<Mesh*>(model->object.meshes->next());
    EXPECT_STREQ(tri->name, "Tri");
    EXPECT_EQ(tri->material, nullptr);
    EXPECT_EQ(tri->texCoords, nullptr);
    // The mapping is released on the way out.
    EXPECT_EQ(model->object.view, nullptr);
    EXPECT_EQ(model->object.mappingHandle, nullptr);
    EXPECT_EQ(model->object.fileHandle, platform::invalidFileHandle);

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
    namedObject(w, "After", [](ChunkWriter& w) {
        vertexList(w, 3);
        faceList(w, {0, 1, 2});
    });
    w.end();
    auto model = loadBytes(w.bytes());
    EXPECT_EQ(model->object.loadError, nullptr);
    ASSERT_EQ(model->meshCount(), 1);
    EXPECT_EQ(model->mesh("After")->faceCount, 1);

    // A key-framer child shorter than a header ends the load; what came before it stays.
    ChunkWriter k;
    k.begin(0x4D4D);
    k.begin(0x3D3D);
    namedObject(k, "Kept", [](ChunkWriter&) {});
    k.end();
    k.begin(0xB000);
    k.u16(0xB002);
    k.u32(3);
    k.end();
    k.end();
    auto kept = loadBytes(k.bytes());
    EXPECT_NE(kept->object.loadError, nullptr);
    EXPECT_EQ(kept->meshCount(), 1);
    EXPECT_NE(kept->mesh("Kept"), nullptr);
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

TEST(Loader, NamesAreKeptTo255CharactersAndReadToTheirEnd) {
    const std::string exact(254, 'a'), longName(300, 'b');
    auto model = loadBytes(editorFile([&](ChunkWriter& w) {
        for (const std::string* name : {&exact, &longName})
            namedObject(w, *name, [](ChunkWriter& w) { vertexList(w, 1); });
    }));
    EXPECT_EQ(model->object.loadError, nullptr);
    ASSERT_EQ(model->meshCount(), 2);
    Mesh* first = static_cast<Mesh*>(model->object.meshes->first());
    Mesh* second = static_cast<Mesh*>(model->object.meshes->next());
    EXPECT_EQ(std::string(first->name), exact);
    EXPECT_EQ(std::string(second->name), longName.substr(0, 255));
    // The cursor went on past the 300th character: the vertex list after the name was found.
    EXPECT_EQ(second->vertexCount, 1);

    // A name without its terminator at the end of the file fails the load.
    std::vector<std::uint8_t> bytes = {0x4D, 0x4D, 0,    0, 0, 0, 0x3D, 0x3D, 0,   0,  0,
                                       0,    0x00, 0x40, 0, 0, 0, 0,    'a',  'b', 'c'};
    for (std::uint32_t i = 0, size = 21; i < 3; ++i, size -= 6)
        std::memcpy(&bytes[i * 6 + 2], &size, 4);
    auto unterminated = loadBytes(bytes);
    EXPECT_NE(unterminated->object.loadError, nullptr);
    EXPECT_EQ(unterminated->meshCount(), 0);
}

// One object per case, each alone in its file: lying counts end the load with the object dropped;
// anything the loader keeps is safe to draw.
TEST(Loader, MeshListsAreKeptOnlyWhereTheyAreSafe) {
    struct Case {
        const char* what;
        std::uint16_t kind;
        Writes body;
        bool kept;
        int vertexCount, faceCount;
        bool vertices, faces, texCoords;
    };
    const auto lying = [](std::uint16_t id) {
        return [id](ChunkWriter& w) {
            w.begin(id);
            w.u16(65535);  // holds one entry at most
            for (int i = 0; i < 4; ++i) w.f32(0.0f);
            w.end();
        };
    };
    const Case cases[] = {
        {"lying vertex count", 0x4100, lying(0x4110), false, 0, 0, false, false, false},
        {"lying face count", 0x4100, lying(0x4120), false, 0, 0, false, false, false},
        {"lying mapping count", 0x4100, lying(0x4140), false, 0, 0, false, false, false},
        {"faces outside the vertices", 0x4100,
         [](ChunkWriter& w) {
             vertexList(w, 3);
             faceList(w, {0, 1, 2, 0, 2, 3});
         },
         true, 3, 0, true, false, false},
        {"later lists replace earlier ones; mapping short of the vertices", 0x4100,
         [](ChunkWriter& w) {
             vertexList(w, 2);
             vertexList(w, 4);
             faceList(w, {0, 1, 2});
             faceList(w, {0, 1, 2, 1, 2, 3});
             mappingList(w, 3, 0.5f);
         },
         true, 4, 2, true, true, false},
        {"mapping for every vertex", 0x4100,
         [](ChunkWriter& w) {
             vertexList(w, 2);
             mappingList(w, 2, 0.25f);
         },
         true, 2, 0, true, false, true},
        {"empty vertex list", 0x4100, [](ChunkWriter& w) { vertexList(w, 0); }, true, 0, 0, true,
         false, false},
        {"camera", 0x4700,
         [](ChunkWriter& w) {
             for (int i = 0; i < 8; ++i) w.f32(1.0f);
         },
         true, 0, 0, false, false, false},
        {"light", 0x4600,
         [](ChunkWriter& w) {
             for (int i = 0; i < 3; ++i) w.f32(2.0f);
         },
         true, 0, 0, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto model =
            loadBytes(editorFile([&](ChunkWriter& w) { namedObject(w, "Obj", c.body, c.kind); }));
        EXPECT_EQ(model->object.loadError == nullptr, c.kept);
        ASSERT_EQ(model->meshCount(), c.kept ? 1 : 0);
        if (!c.kept) continue;
        Mesh* mesh = model->mesh("Obj");
        ASSERT_NE(mesh, nullptr);
        EXPECT_EQ(mesh->vertexCount, c.vertexCount);
        EXPECT_EQ(mesh->faceCount, c.faceCount);
        EXPECT_EQ(mesh->vertices != nullptr, c.vertices);
        EXPECT_EQ(mesh->faces != nullptr, c.faces);
        EXPECT_EQ(mesh->texCoords != nullptr, c.texCoords);
        if (c.texCoords) {
            EXPECT_FLOAT_EQ(mesh->texCoords[3], 0.25f);
        }
    }
}

TEST(Loader, MaterialGroupsPickTheLastKnownMaterialAndSkipSmoothing) {
    auto model = loadBytes(editorFile([](ChunkWriter& w) {
        for (const char* name : {"Red", "Blue"}) {
            w.begin(0xAFFF);
            w.begin(0xA000);
            w.str(name);
            w.end();
            w.end();
        }
        for (const char* second : {"Blue", "Nope"}) {
            namedObject(w, second, [second](ChunkWriter& w) {
                vertexList(w, 3);
                faceList(w, {0, 1, 2}, [second](ChunkWriter& w) {
                    for (const char* group : {"Red", second}) {
                        w.begin(0x4130);
                        w.str(group);
                        w.u16(1);
                        w.u16(0);
                        w.end();
                    }
                    w.begin(0x4150);
                    w.u32(1);
                    w.end();
                });
            });
        }
    }));
    EXPECT_EQ(model->object.loadError, nullptr);
    ASSERT_NE(model->mesh("Blue"), nullptr);
    ASSERT_NE(model->mesh("Blue")->material, nullptr);
    EXPECT_STREQ(model->mesh("Blue")->material->name, "Blue");
    EXPECT_EQ(model->mesh("Blue")->faceCount, 1);
    ASSERT_NE(model->mesh("Nope"), nullptr);
    EXPECT_EQ(model->mesh("Nope")->material, nullptr);
}
