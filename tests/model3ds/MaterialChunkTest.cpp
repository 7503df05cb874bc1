// Material chunks: colour forms and the 24-byte twin rule, percentages, texture maps (last one
// wins, path from textureFolder), and maps without a usable path. No GL context here, so a texture
// only records the path it would have loaded.
#include <gtest/gtest.h>

#include "ModelFiles.h"
#include "scene/Texture.h"

using write3ds::ChunkWriter;

namespace {

// main > editor > material { name, body }, then an object using it.
std::vector<std::uint8_t> materialFile(void (*body)(ChunkWriter&)) {
    ChunkWriter w;
    w.begin(0x4D4D);
    w.begin(0x3D3D);
    w.begin(0xAFFF);
    w.begin(0xA000);
    w.str("M");
    w.end();
    body(w);
    w.end();
    w.begin(0x4000);
    w.str("After");
    w.end();
    w.end();
    w.end();
    return w.bytes();
}

void mapChunk(ChunkWriter& w, std::uint16_t id, const char* file) {
    w.begin(id);
    w.begin(0x0030);
    w.u16(100);
    w.end();
    if (file) {
        w.begin(0xA300);
        w.str(file);
        w.end();
    }
    w.begin(0xA354);  // tiling scale
    w.f32(1.0f);
    w.end();
    w.begin(0xA353);  // blur
    w.f32(0.1f);
    w.end();
    w.end();
}

}  // namespace

TEST(MaterialChunks, ColourWithGammaTwinAppliesTheFirst) {
    auto model = models::loadBytes(materialFile([](ChunkWriter& w) {
        w.begin(0xA020);
        w.begin(0x0011);
        w.u8(255);
        w.u8(128);
        w.u8(0);
        w.end();
        w.begin(0x0012);
        w.u8(1);
        w.u8(2);
        w.u8(3);
        w.end();
        w.end();
        // A float colour followed by a float twin: 42 bytes, the twin is skipped by the loop.
        w.begin(0xA010);
        w.begin(0x0010);
        for (float f : {0.2f, 0.3f, 0.4f}) w.f32(f);
        w.end();
        w.begin(0x0013);
        for (float f : {0.9f, 0.9f, 0.9f}) w.f32(f);
        w.end();
        w.end();
        w.begin(0xA030);  // colour values pass through unclamped
        w.begin(0x0013);
        for (float f : {1.5f, -0.5f, 2.0f}) w.f32(f);
        w.end();
        w.begin(0x0010);
        for (float f : {0.0f, 0.0f, 0.0f}) w.f32(f);
        w.end();
        w.end();
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

TEST(MaterialChunks, SingleFloatColourIn24BytesFailsTheMaterialAndEndsTheLoad) {
    auto model = models::loadBytes(materialFile([](ChunkWriter& w) {
        w.begin(0xA010);
        w.begin(0x0010);
        for (float f : {0.2f, 0.3f, 0.4f}) w.f32(f);
        w.end();
        w.end();
        w.begin(0xA040);
        w.begin(0x0030);
        w.u16(50);
        w.end();
        w.end();
    }));
    EXPECT_NE(model->object.loadError, nullptr);
    EXPECT_EQ(model->materialCount(), 0);
    EXPECT_EQ(model->meshCount(), 0);
}

TEST(MaterialChunks, UnexpectedColourOrPercentageChunkFailsTheMaterial) {
    auto badColour = models::loadBytes(materialFile([](ChunkWriter& w) {
        w.begin(0xA020);
        w.begin(0x0030);
        w.u16(5);
        w.end();
        w.end();
    }));
    EXPECT_EQ(badColour->materialCount(), 0);
    auto badPercent = models::loadBytes(materialFile([](ChunkWriter& w) {
        w.begin(0xA040);
        w.begin(0x0011);
        w.u8(1);
        w.u8(1);
        w.u8(1);
        w.end();
        w.end();
    }));
    EXPECT_EQ(badPercent->materialCount(), 0);
}

TEST(MaterialChunks, ShininessPercentages) {
    auto whole = models::loadBytes(materialFile([](ChunkWriter& w) {
        w.begin(0xA040);
        w.begin(0x0030);
        w.u16(25);
        w.end();
        w.end();
    }));
    ASSERT_NE(whole->material("M"), nullptr);
    EXPECT_FLOAT_EQ(whole->material("M")->shininess, 32.0f);
    auto fraction = models::loadBytes(materialFile([](ChunkWriter& w) {
        w.begin(0xA040);
        w.begin(0x0031);
        w.f32(0.5f);
        w.end();
        w.end();
    }));
    ASSERT_NE(fraction->material("M"), nullptr);
    EXPECT_FLOAT_EQ(fraction->material("M")->shininess, 64.0f);
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
    auto tooLong = models::loadBytes(materialFile([](ChunkWriter& w) { mapChunk(w, 0xA200, "long.bmp"); }),
                                     folder.c_str());
    ASSERT_NE(tooLong->material("M"), nullptr);
    EXPECT_EQ(tooLong->material("M")->texture, nullptr);

    auto fits = models::loadBytes(materialFile([](ChunkWriter& w) { mapChunk(w, 0xA200, "a.bmp"); }),
                                  folder.c_str());
    ASSERT_NE(fits->material("M"), nullptr);
    ASSERT_NE(fits->material("M")->texture, nullptr);
    EXPECT_EQ(fits->material("M")->texture->fileName.size(), 255u);
}

TEST(MaterialChunks, MaterialWithoutNameIsKeptButNotFound) {
    ChunkWriter w;
    w.begin(0x4D4D);
    w.begin(0x3D3D);
    w.begin(0xAFFF);
    w.begin(0xA100);  // shading, skipped
    w.u16(3);
    w.end();
    w.end();
    w.end();
    w.end();
    auto model = models::loadBytes(w.bytes());
    EXPECT_EQ(model->materialCount(), 1);
    EXPECT_EQ(static_cast<Material*>(model->object.materials->first())->name, nullptr);
}
