// Material chunks: colour forms and the 24-byte twin rule, percentages, texture maps (last one
// wins, path from textureFolder), and maps without a usable path. No GL context here, so a texture
// only records the path it would have loaded.
#include <gtest/gtest.h>

#include "ModelFiles.h"
#include "scene/Texture.h"

using models::Writes;
using write3ds::ChunkWriter;

namespace {

// main > editor > material { name "M", body }, then an object, which a failed material takes down.
std::vector<std::uint8_t> materialFile(const Writes& body) {
    return models::editorFile([&](ChunkWriter& w) {
        w.begin(0xAFFF);
        w.begin(0xA000);
        w.str("M");
        w.end();
        body(w);
        w.end();
        w.begin(0x4000);
        w.str("After");
        w.end();
    });
}

// A sub-chunk of three floats (0x0010, 0x0013), three bytes (0x0011, 0x0012), one u16 (0x0030)
// or one float (0x0031).
void value(ChunkWriter& w, std::uint16_t id, std::initializer_list<float> values) {
    w.begin(id);
    for (float v : values) {
        if (id == 0x0011 || id == 0x0012)
            w.u8(static_cast<std::uint8_t>(v));
        else if (id == 0x0030)
            w.u16(static_cast<std::uint16_t>(v));
        else
            w.f32(v);
    }
    w.end();
}

// A colour or percentage chunk holding the given sub-chunks.
void property(ChunkWriter& w, std::uint16_t id, const Writes& values) {
    w.begin(id);
    values(w);
    w.end();
}

void mapChunk(ChunkWriter& w, std::uint16_t id, const char* file) {
    w.begin(id);
    value(w, 0x0030, {100});
    if (file) {
        w.begin(0xA300);
        w.str(file);
        w.end();
    }
    value(w, 0xA354, {1.0f});  // tiling scale
    value(w, 0xA353, {0.1f});  // blur
    w.end();
}

}  // namespace

TEST(MaterialChunks, ColourForms) {
    auto model = models::loadBytes(materialFile([](ChunkWriter& w) {
        property(w, 0xA020, [](ChunkWriter& w) {
            value(w, 0x0011, {255, 128, 0});
            value(w, 0x0012, {1, 2, 3});  // the gamma twin, read and dropped
        });
        // A float colour followed by a float twin: 42 bytes, the twin is skipped by the loop.
        property(w, 0xA010, [](ChunkWriter& w) {
            value(w, 0x0010, {0.2f, 0.3f, 0.4f});
            value(w, 0x0013, {0.9f, 0.9f, 0.9f});
        });
        property(w, 0xA030, [](ChunkWriter& w) {  // colour values pass through unclamped
            value(w, 0x0013, {1.5f, -0.5f, 2.0f});
            value(w, 0x0010, {0.0f, 0.0f, 0.0f});
        });
    }));
    EXPECT_EQ(model->object.loadError, nullptr);
    Material* m = model->material("M");
    ASSERT_NE(m, nullptr);
    EXPECT_FLOAT_EQ(m->diffuse[0], 1.0f);
    EXPECT_FLOAT_EQ(m->diffuse[1], 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(m->diffuse[2], 0.0f);
    EXPECT_FLOAT_EQ(m->diffuse[3], 1.0f);
    EXPECT_FLOAT_EQ(m->ambient[1], 0.3f);
    EXPECT_FLOAT_EQ(m->specular[0], 1.5f);
    EXPECT_FLOAT_EQ(m->specular[1], -0.5f);
    EXPECT_EQ(model->meshCount(), 1);
}

TEST(MaterialChunks, WrongSubChunkFailsTheMaterialAndEndsTheLoad) {
    const Writes broken[] = {
        // A single float colour in a 24-byte chunk: the twin's read meets the next chunk.
        [](ChunkWriter& w) {
            property(w, 0xA010, [](ChunkWriter& w) { value(w, 0x0010, {0.2f, 0.3f, 0.4f}); });
            property(w, 0xA040, [](ChunkWriter& w) { value(w, 0x0030, {50}); });
        },
        [](ChunkWriter& w) { property(w, 0xA020, [](ChunkWriter& w) { value(w, 0x0030, {5}); }); },
        [](ChunkWriter& w) {
            property(w, 0xA040, [](ChunkWriter& w) { value(w, 0x0011, {1, 1, 1}); });
        },
    };
    for (const Writes& body : broken) {
        auto model = models::loadBytes(materialFile(body));
        EXPECT_NE(model->object.loadError, nullptr);
        EXPECT_EQ(model->materialCount(), 0);
        EXPECT_EQ(model->meshCount(), 0);
    }
}

TEST(MaterialChunks, ShininessPercentages) {
    for (auto [id, percent, shininess] :
         {std::tuple{0x0030, 25.0f, 32.0f}, std::tuple{0x0031, 0.5f, 64.0f}}) {
        auto model = models::loadBytes(materialFile([id = id, percent = percent](ChunkWriter& w) {
            property(w, 0xA040,
                     [&](ChunkWriter& w) { value(w, static_cast<std::uint16_t>(id), {percent}); });
        }));
        ASSERT_NE(model->material("M"), nullptr);
        EXPECT_FLOAT_EQ(model->material("M")->shininess, shininess);
    }
}

TEST(MaterialChunks, LastMapWinsWithTheTextureFolderInFront) {
    auto model = models::loadBytes(materialFile([](ChunkWriter& w) {
                                       mapChunk(w, 0xA200, "first.bmp");
                                       mapChunk(w, 0xA210, "opacity.bmp");
                                   }),
                                   "/textures/");
    Material* m = model->material("M");
    ASSERT_NE(m, nullptr);
    ASSERT_NE(m->texture, nullptr);
    EXPECT_EQ(m->texture->fileName, "/textures/opacity.bmp");
    EXPECT_EQ(m->texture->id, 0u);
}

TEST(MaterialChunks, MapWithoutNameOrWithTooLongPathLeavesMaterialUntextured) {
    auto nameless = models::loadBytes(materialFile([](ChunkWriter& w) {
        mapChunk(w, 0xA200, "first.bmp");
        mapChunk(w, 0xA33A, nullptr);
    }));
    ASSERT_NE(nameless->material("M"), nullptr);
    EXPECT_EQ(nameless->material("M")->texture, nullptr);

    const std::string folder(250, 'f');
    auto tooLong = models::loadBytes(
        materialFile([](ChunkWriter& w) { mapChunk(w, 0xA200, "long.bmp"); }), folder.c_str());
    ASSERT_NE(tooLong->material("M"), nullptr);
    EXPECT_EQ(tooLong->material("M")->texture, nullptr);

    auto fits = models::loadBytes(
        materialFile([](ChunkWriter& w) { mapChunk(w, 0xA200, "a.bmp"); }), folder.c_str());
    ASSERT_NE(fits->material("M"), nullptr);
    ASSERT_NE(fits->material("M")->texture, nullptr);
    EXPECT_EQ(fits->material("M")->texture->fileName.size(), 255u);

    // A name longer than a name buffer is cut when read: with no folder in front, the cut name
    // would fit the path and name another file.
    const std::string longName = std::string(296, 'n') + ".bmp",
                      fullName = std::string(251, 'n') + ".bmp";
    auto cut = models::loadBytes(
        materialFile([&](ChunkWriter& w) { mapChunk(w, 0xA200, longName.c_str()); }));
    ASSERT_NE(cut->material("M"), nullptr);
    EXPECT_EQ(cut->material("M")->texture, nullptr);
    auto whole = models::loadBytes(
        materialFile([&](ChunkWriter& w) { mapChunk(w, 0xA200, fullName.c_str()); }));
    ASSERT_NE(whole->material("M"), nullptr);
    ASSERT_NE(whole->material("M")->texture, nullptr);
    EXPECT_EQ(whole->material("M")->texture->fileName, fullName);
}

TEST(MaterialChunks, MaterialWithoutNameIsKeptButNotFound) {
    auto model = models::loadBytes(models::editorFile([](ChunkWriter& w) {
        w.begin(0xAFFF);
        value(w, 0xA100, {3});  // shading, skipped
        w.end();
    }));
    EXPECT_EQ(model->materialCount(), 1);
    EXPECT_EQ(static_cast<Material*>(model->object.materials->first())->name, nullptr);
}
