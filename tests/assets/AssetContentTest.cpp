// The generated asset set: every file the demo opens is there with sound content (3DS models that
// lib3ds and our loader read alike, with their textures; bitmaps the texture loader takes; a smooth
// attitude sequence; an MP3 of the right length and shape), and generating again gives the same
// bytes as the data.dat the build made.
#include <gtest/gtest.h>

#include <lib3ds/file.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <mpg123.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "archive/Archive.h"
#include "archive/ArchiveWriter.h"
#include "assets/AssetSet.h"
#include "assets/Soundtrack.h"
#include "platform/Files.h"
#include "scene/Material.h"
#include "scene/Mesh.h"
#include "scene/NamedList.h"
#include "scene/SceneObject.h"
#include "scene/Texture.h"
#include "scene/loadBitmap.h"
#include "tests/support/OffscreenGL.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t u32(const Bytes& d, std::size_t at) {
    return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) |
           (static_cast<std::uint32_t>(d[at + 3]) << 24);
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class GeneratedAssets : public ::testing::Test {
protected:
    // Models, textures and the sequence are cheap; the music is made only where a test needs it.
    static void SetUpTestSuite() {
        files = makeAssetsButMusic();
        files.push_back({"musica.mp3", {}});
    }
    static const Bytes& music() {
        ArchiveInput& slot = files.back();
        if (slot.data.empty()) {
            // The build's data.dat is checked against a fresh run elsewhere; take its track if
            // present.
            const Archive archive("data.dat");
            const Bytes d = readFile("data.dat");
            for (std::uint32_t i = 0; archive.isValid() && i < archive.count(); ++i) {
                const ArchiveEntry& e = archive.entry(i);
                const std::size_t end = static_cast<std::size_t>(e.offset) + e.size;
                if (std::strncmp(e.name, slot.name.c_str(), sizeof e.name) == 0 && end <= d.size())
                    slot.data.assign(d.begin() + e.offset, d.begin() + end);
            }
            std::string error;
            if (slot.data.empty()) {
                EXPECT_TRUE(makeMusicFile(&slot, &error)) << error;
            }
        }
        return slot.data;
    }
    static const Bytes& file(const std::string& name) {
        static const Bytes none;
        for (const ArchiveInput& f : files)
            if (f.name == name) return f.data;
        return none;
    }

    static inline std::vector<ArchiveInput> files;
};

const char* const modelNames[] = {"tubo6.3ds",  "lineatubo6.3ds", "coet.3ds",     "estrelles.3ds",
                                  "avio10.3ds", "terra.3ds",      "pathcam1.3ds", "pathcam2.3ds"};

// A model as lib3ds reads it: vertex and face counts by mesh name, and the texture files named.
struct Reference {
    std::map<std::string, std::pair<unsigned, unsigned>> meshes;
    std::size_t meshCount = 0;
    std::set<std::string> textures;
};

bool readWithLib3ds(const std::string& path, Reference* out) {
    Lib3dsFile* model = lib3ds_file_load(path.c_str());
    if (!model) return false;
    for (Lib3dsMesh* mesh = model->meshes; mesh; mesh = mesh->next, ++out->meshCount)
        out->meshes[mesh->name] = {mesh->points, mesh->faces};
    for (Lib3dsMaterial* material = model->materials; material; material = material->next)
        if (material->texture1_map.name[0]) out->textures.insert(material->texture1_map.name);
    lib3ds_file_free(model);
    return true;
}

}  // namespace

TEST_F(GeneratedAssets, HoldsEveryFileTheDemoOpensAndNothingTwice) {
    std::set<std::string> names;
    for (const ArchiveInput& f : files) {
        EXPECT_TRUE(names.insert(f.name).second) << f.name;
        EXPECT_FALSE((f.name == "musica.mp3" ? music() : f.data).empty()) << f.name;
        EXPECT_LT(f.name.size(), 52u);
    }
    for (const char* name : modelNames) EXPECT_TRUE(names.count(name)) << name;
    for (const char* name : {"bandera.bmp", "pal.bmp", "seq1.dat", "musica.mp3"})
        EXPECT_TRUE(names.count(name)) << name;
}

TEST_F(GeneratedAssets, MatchesTheBuildsDataDatByteForByte) {
    // The build's data.dat came from another run of the generator; packing this run's files the
    // same way must give the very same bytes.
    const Bytes expected = readFile("data.dat");
    if (expected.empty())
        GTEST_SKIP() << "no data.dat in the working directory (configured with ORBEK_ASSETS off)";
    std::vector<ArchiveInput> fresh;
    std::string error;
    ASSERT_TRUE(makeAssetSet(&fresh, &error)) << error;
    const std::string path = ::testing::TempDir() + "assets_again.dat";
    ASSERT_TRUE(writeArchive(path, fresh, &error)) << error;
    const Bytes actual = readFile(path);
    std::remove(path.c_str());
    EXPECT_EQ(expected.size(), actual.size());
    EXPECT_TRUE(expected == actual);
}

TEST_F(GeneratedAssets, Lib3dsAndOurLoaderReadEveryModelAlikeWithItsTextures) {
    // Textures are uploaded as the models load, so the loader needs a current context.
    testing_support::OffscreenGL gl(64, 64);
    ASSERT_TRUE(gl.ready()) << gl.error();
    char systemTemp[255], folder[255];
    ASSERT_GT(platform::getTempPath(sizeof systemTemp, systemTemp), 0u);
    ASSERT_GT(platform::makePrivateFolder(systemTemp, "orbek42-assets-", sizeof folder, folder),
              0u);
    for (const ArchiveInput& f : files) {
        std::ofstream out(std::string(folder) + f.name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(f.data.data()),
                  static_cast<std::streamsize>(f.data.size()));
    }
    for (const char* name : modelNames) {
        SCOPED_TRACE(name);
        const std::string path = std::string(folder) + name;
        const bool polyline =
            std::string(name).rfind("pathcam", 0) == 0 || std::string(name) == "lineatubo6.3ds";
        Reference reference;
        ASSERT_TRUE(readWithLib3ds(path, &reference));
        ASSERT_EQ(reference.meshes.size(), reference.meshCount) << "mesh names are not unique";
        for (const std::string& texture : reference.textures)
            EXPECT_FALSE(file(texture).empty()) << texture << " is not packed";

        SceneObject model;
        model.setTextureFolder(folder);
        model.load(path.c_str());
        EXPECT_EQ(model.loadError, nullptr) << model.loadError;
        EXPECT_EQ(static_cast<std::size_t>(model.meshes->count), reference.meshCount);
        long vertices = 0, faces = 0;
        for (auto* mesh = static_cast<Mesh*>(model.meshes->first()); mesh;
             mesh = static_cast<Mesh*>(model.meshes->next())) {
            const std::string object = mesh->name;
            EXPECT_LE(object.size(), 10u) << object;
            const auto counts = reference.meshes[object];
            EXPECT_EQ(mesh->vertexCount, static_cast<std::int32_t>(counts.first)) << object;
            EXPECT_EQ(mesh->faceCount, static_cast<std::int32_t>(counts.second)) << object;
            vertices += mesh->vertexCount;
            faces += mesh->faceCount;
            for (std::int32_t i = 0; i < mesh->vertexCount * 3; ++i)
                ASSERT_TRUE(std::isfinite(mesh->vertices[i])) << object;
            if (polyline) continue;
            EXPECT_GT(mesh->faceCount, 0) << object;
            ASSERT_NE(mesh->material, nullptr) << object << " has no material";
            if (mesh->material->texture) {
                EXPECT_GE(mesh->texCoordCount, mesh->vertexCount) << object;
            }
        }
        // Every texture a model names was found and uploaded.
        std::set<std::string> loaded;
        for (auto* m = static_cast<Material*>(model.materials->first()); m;
             m = static_cast<Material*>(model.materials->next()))
            if (m->texture) {
                EXPECT_NE(m->texture->id, 0u) << m->texture->fileName;
                loaded.insert(m->texture->fileName.substr(std::strlen(folder)));
            }
        EXPECT_EQ(loaded, reference.textures);
        // Sizes a viewer can make out, and nothing a 16-bit face list cannot index.
        EXPECT_LT(vertices, 200000);
        EXPECT_GE(polyline ? vertices : faces, polyline ? 3 : 12);
        model.destroyItems();
    }
    for (const ArchiveInput& f : files)
        platform::deleteFile((std::string(folder) + f.name).c_str());
    platform::removeFolder(folder);
}

TEST_F(GeneratedAssets, BitmapsLoadWithPowerOfTwoSidesAndShowSomething) {
    std::size_t bitmaps = 0;
    for (const ArchiveInput& f : files) {
        if (f.name.size() < 4 || f.name.compare(f.name.size() - 4, 4, ".bmp") != 0) continue;
        ++bitmaps;
        const std::string path = ::testing::TempDir() + "orbek_asset_" + f.name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(f.data.data()),
                   static_cast<std::streamsize>(f.data.size()));
        BitmapImage* image = loadBitmap(path.c_str());
        std::remove(path.c_str());
        ASSERT_NE(image, nullptr) << f.name;
        // GL 1.1 takes only power-of-two sides.
        const int width = image->width, height = image->height;
        EXPECT_TRUE(width >= 4 && (width & (width - 1)) == 0) << f.name << " width " << width;
        EXPECT_TRUE(height >= 4 && (height & (height - 1)) == 0) << f.name << " height " << height;
        // Not a blank image: a texture shows something.
        std::set<std::uint32_t> colours;
        const std::size_t bytes = static_cast<std::size_t>(width) * height * 3;
        for (std::size_t at = 0; at + 3 <= bytes && colours.size() < 8; at += 3 * 7)
            colours.insert(image->pixels[at] | (image->pixels[at + 1] << 8) |
                           (image->pixels[at + 2] << 16));
        EXPECT_GE(colours.size(), 3u) << f.name;
        releaseBitmap(image);
    }
    EXPECT_GE(bitmaps, 7u);
}

TEST_F(GeneratedAssets, SequenceStartsAtTheWaitingAttitudeAndMovesSmoothly) {
    const Bytes& d = file("seq1.dat");
    ASSERT_EQ(d.size() % 12, 0u);
    const std::size_t records = d.size() / 12;
    EXPECT_GE(records, 1100u);
    const auto angle = [&](std::size_t record, int axis) {
        const std::uint32_t bits = u32(d, record * 12 + static_cast<std::size_t>(axis) * 4);
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    };
    EXPECT_EQ(angle(0, 0), 0.0f);
    EXPECT_EQ(angle(0, 1), 180.0f);
    EXPECT_EQ(angle(0, 2), 0.0f);
    double largestStep = 0.0, largestX = 0.0, largestZ = 0.0;
    for (std::size_t r = 1; r < records; ++r)
        for (int axis = 0; axis < 3; ++axis) {
            ASSERT_TRUE(std::isfinite(angle(r, axis)));
            largestStep = std::max(
                largestStep, static_cast<double>(std::abs(angle(r, axis) - angle(r - 1, axis))));
            largestX = std::max(largestX, static_cast<double>(std::abs(angle(r, 0))));
            largestZ = std::max(largestZ, static_cast<double>(std::abs(angle(r, 2))));
        }
    // Smooth: well under a degree a frame; and it does bank and turn somewhere.
    EXPECT_LT(largestStep, 1.0);
    EXPECT_GT(largestX + largestZ, 10.0);
}

TEST_F(GeneratedAssets, SoundtrackIsStereoLongEnoughAndFollowsTheSections) {
    const Bytes& mp3 = music();
    ASSERT_GE(mp3.size(), 4u);
    // MPEG-1 Layer III frame sync right at the start: no tag in front of the frames.
    EXPECT_EQ(mp3[0], 0xFF);
    EXPECT_EQ(mp3[1] & 0xFE, 0xFA);
    ASSERT_EQ(mpg123_init(), MPG123_OK);
    int err = 0;
    mpg123_handle* h = mpg123_new(nullptr, &err);
    ASSERT_NE(h, nullptr);
    mpg123_param(h, MPG123_ADD_FLAGS, MPG123_FORCE_FLOAT, 0.0);
    ASSERT_EQ(mpg123_open_feed(h), MPG123_OK);
    ASSERT_EQ(mpg123_feed(h, mp3.data(), mp3.size()), MPG123_OK);
    long rate = 0;
    int channels = 0, encoding = 0;
    std::vector<float> samples;
    unsigned char buffer[65536];
    for (;;) {
        size_t done = 0;
        const int r = mpg123_read(h, buffer, sizeof buffer, &done);
        if (r == MPG123_NEW_FORMAT) {
            mpg123_getformat(h, &rate, &channels, &encoding);
            continue;
        }
        const float* f = reinterpret_cast<const float*>(buffer);
        samples.insert(samples.end(), f, f + done / sizeof(float));
        if (r != MPG123_OK) break;
    }
    mpg123_delete(h);
    ASSERT_EQ(rate, 44100);
    ASSERT_EQ(channels, 2);
    // Long enough for the show, at the bit rate it was made for: bytes over duration.
    const double seconds = static_cast<double>(samples.size()) / 2.0 / rate;
    EXPECT_GE(seconds, 175.0);
    EXPECT_NEAR(mp3.size() * 8.0 / seconds / 1000.0, soundtrackKilobits, 4.0);

    const auto rms = [&](double from, double to, int channel) {
        double sum = 0.0;
        const std::size_t a = static_cast<std::size_t>(from * rate),
                          b = static_cast<std::size_t>(to * rate);
        for (std::size_t i = a; i < b; ++i)
            sum += samples[i * 2 + channel] * samples[i * 2 + channel];
        return 10.0 * std::log10(sum / static_cast<double>(b - a));
    };
    const SoundtrackSection* s = soundtrackSections;
    // The countdown is quieter than the departure that follows it; the breakdown while the gaze
    // swings to the earth is quieter than both its neighbours; the launch is the loudest part.
    EXPECT_LT(rms(0.5, 9.5, 0), rms(11.0, s[0].end, 0) - 3.0);
    EXPECT_LT(rms(s[2].start + 0.5, s[2].end - 1.0, 0), rms(s[1].start, s[1].end, 0) - 3.0);
    EXPECT_LT(rms(s[2].start + 0.5, s[2].end - 1.0, 0), rms(s[3].start, s[3].end, 0) - 1.5);
    EXPECT_GT(rms(s[4].start, s[4].end, 0), rms(s[3].start, s[3].end, 0));
    // Stereo: the channels are not one signal twice.
    double difference = 0.0;
    for (std::size_t i = 0; i < samples.size(); i += 2)
        difference += std::abs(samples[i] - samples[i + 1]);
    EXPECT_GT(difference / (samples.size() / 2.0), 1e-3);
}
