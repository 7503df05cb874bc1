// Materials, textures and mesh drawing in a real (offscreen, software) GL context: the state
// apply() leaves and later meshes inherit, texture upload of odd widths, and meshes drawn with
// their transforms, colours and textures from a 3DS file, one object in the frame of another, and
// texture names that would lead out of the texture folder.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <filesystem>

#include "../model3ds/ModelFiles.h"
#include "BitmapFiles.h"
#include "platform/GL.h"
#include "scene/Texture.h"
#include "tests/support/OffscreenGL.h"

namespace {

class DrawingGL : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ready()) << gl.error();
        glViewport(0, 0, gl.width(), gl.height());
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1, 1, -1, 1, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    // RGB at window pixel (x, y), y from the top.
    std::vector<int> pixel(const std::vector<unsigned char>& rgb, int x, int y) {
        const unsigned char* p = &rgb[(y * gl.width() + x) * 3];
        return {p[0], p[1], p[2]};
    }
    testing_support::OffscreenGL gl;
};

std::vector<float> currentColour() {
    std::vector<float> c(4);
    glGetFloatv(GL_CURRENT_COLOR, c.data());
    return c;
}

// A 2 x 2 texture: bottom row red, green; top row blue, white.
std::string writeCheckerBitmap(const std::string& name) {
    bitmaps::Layout s;
    s.width = 2;
    s.height = 2;
    s.pixels = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
    return bitmaps::write(name, bitmaps::build(s));
}

}  // namespace

TEST_F(DrawingGL, ApplyLeavesOpaqueDepthTestedDiffuseColour) {
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    Material m;
    m.setAmbient(0.1f, 0.2f, 0.3f);
    m.setDiffuse(1.0f, 0.5f, 0.0f);
    m.shininess = 32.0f;
    m.apply();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_EQ(currentColour(), (std::vector<float>{1.0f, 0.5f, 0.0f, 1.0f}));
    GLfloat shininess = 0;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_FLOAT_EQ(shininess, 32.0f);
    GLfloat diffuse[4];
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[1], 0.5f);  // colour material copied it while enabled
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(DrawingGL, TextureUploadKeepsOddWidthsStraightAndBindsModulated) {
    bitmaps::Layout s;
    s.width = 3;
    s.height = 1;
    s.pixels = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};
    const std::string path = bitmaps::write("odd.bmp", bitmaps::build(s));
    const float border[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    Texture texture(path.c_str(), GL_CLAMP, 0, GL_NEAREST, GL_NEAREST, border);
    std::remove(path.c_str());
    ASSERT_NE(texture.id, 0u);
    std::vector<unsigned char> readBack(9);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, readBack.data());
    EXPECT_EQ(readBack, (std::vector<unsigned char>{255, 0, 0, 0, 255, 0, 0, 0, 255}));
    GLint alignment = 0, wrap = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);  // put back after the upload
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(wrap, GL_CLAMP);
    GLfloat sentBorder[4];
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, sentBorder);
    EXPECT_FLOAT_EQ(sentBorder[2], 0.75f);

    glBindTexture(GL_TEXTURE_2D, 0);
    texture.bind();
    GLint bound = 0, mode = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(static_cast<GLuint>(bound), texture.id);
    EXPECT_EQ(mode, GL_MODULATE);

    Texture missing(models::scratchPath("no-such.bmp").c_str(), 0, 0, GL_LINEAR, GL_LINEAR);
    EXPECT_EQ(missing.id, 0u);
}

TEST_F(DrawingGL, MeshesDrawWithTransformAndMaterialAndSkipWhatTheyCannotDraw) {
    write3ds::Model m = models::sampleModel();
    m.meshes[0].texCoords.clear();
    auto model = models::loadModel(m);
    ASSERT_EQ(model->meshCount(), 2);
    Mesh* tri = model->mesh("Tri");
    // Give the plain triangle nothing to draw: its colour must not leak into the frame.
    delete[] tri->faces;
    tri->faces = nullptr;

    SceneObject& object = model->object;
    // The unit quad, scaled by 0.5 and moved left and down: it covers x -0.5..0, y -0.5..0.
    object.position = {-0.5f, -0.5f, 0.0f};
    object.setScale(0.5f);
    glColor3f(0.0f, 0.0f, 1.0f);
    object.draw(true);
    EXPECT_EQ(currentColour(), (std::vector<float>{1.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const std::vector<unsigned char> rgb = gl.readPixels();
    // Window x = (ndc + 1) * 320, y from the top = (1 - ndc) * 240.
    EXPECT_EQ(pixel(rgb, 240, 300), (std::vector<int>{255, 0, 0}));  // ndc (-0.25, -0.25)
    EXPECT_EQ(pixel(rgb, 400, 300), (std::vector<int>{0, 0, 0}));    // right of it
    EXPECT_EQ(pixel(rgb, 240, 200), (std::vector<int>{0, 0, 0}));    // above it
}

TEST_F(DrawingGL, TransformOrderAndDrawWithoutTransform) {
    SceneObject object;
    object.rotation = {90.0f, 0.0f, 0.0f};
    object.position = {1.0f, 2.0f, 3.0f};
    object.applyTransform();
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    // Column 1 is where +Y goes: along +Z.
    EXPECT_NEAR(matrix[4], 0.0f, 1e-6);
    EXPECT_NEAR(matrix[5], 0.0f, 1e-6);
    EXPECT_NEAR(matrix[6], 1.0f, 1e-6);
    EXPECT_FLOAT_EQ(matrix[13], 2.0f);

    glLoadIdentity();
    object.setScale(2.0f);
    object.draw(false);  // no translation or rotation, but the scale
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    EXPECT_FLOAT_EQ(matrix[0], 2.0f);
    EXPECT_FLOAT_EQ(matrix[5], 2.0f);
    EXPECT_FLOAT_EQ(matrix[12], 0.0f);

    // A shared copy leaves the source's lists in place when destroyed.
    {
        SceneObject copy(object);
        EXPECT_TRUE(copy.shared);
        EXPECT_EQ(copy.meshes, object.meshes);
    }
    EXPECT_EQ(object.meshes->count, 0);
}

TEST_F(DrawingGL, TexturedMeshFromAModelShowsItsBitmap) {
    const std::string bitmap = writeCheckerBitmap("checker.bmp");
    write3ds::Model m;
    write3ds::MaterialDesc white;
    white.name = "Checker";
    white.ambient = white.diffuse = {1, 1, 1};
    white.textureFile = bitmap.substr(bitmap.find_last_of("/\\") + 1);
    m.materials.push_back(white);
    write3ds::MeshDesc quad;
    quad.name = "Screen";
    quad.vertices = {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0};
    quad.faces = {0, 1, 2, 0, 2, 3};
    quad.texCoords = {0, 0, 1, 0, 1, 1, 0, 1};
    quad.material = "Checker";
    m.meshes.push_back(quad);
    const std::string folder = bitmap.substr(0, bitmap.size() - white.textureFile.size());
    auto model = models::loadModel(m, folder.c_str());
    std::remove(bitmap.c_str());
    Material* material = model->material("Checker");
    ASSERT_NE(material, nullptr);
    ASSERT_NE(material->texture, nullptr);
    ASSERT_NE(material->texture->id, 0u);

    model->object.draw(true);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    const std::vector<unsigned char> rgb = gl.readPixels();
    // Quadrant centres sit on texel centres, so linear filtering gives (nearly) the texel itself.
    const auto near = [](std::vector<int> got, std::vector<int> want) {
        for (int i = 0; i < 3; ++i)
            if (std::abs(got[i] - want[i]) > 2) return false;
        return true;
    };
    EXPECT_TRUE(near(pixel(rgb, 160, 360), {255, 0, 0}));      // bottom left
    EXPECT_TRUE(near(pixel(rgb, 480, 360), {0, 255, 0}));      // bottom right
    EXPECT_TRUE(near(pixel(rgb, 160, 120), {0, 0, 255}));      // top left
    EXPECT_TRUE(near(pixel(rgb, 480, 120), {255, 255, 255}));  // top right
}

namespace {

write3ds::MaterialDesc plainMaterial(const char* name, float r, float g, float b) {
    write3ds::MaterialDesc m;
    m.name = name;
    m.diffuse = {r, g, b};
    return m;
}

// A rectangle of half-sizes (w, h) around (x, y).
write3ds::MeshDesc rectangle(const char* name, float x, float y, float w, float h,
                             const char* material) {
    write3ds::MeshDesc mesh;
    mesh.name = name;
    mesh.vertices = {x - w, y - h, 0, x + w, y - h, 0, x + w, y + h, 0, x - w, y + h, 0};
    mesh.faces = {0, 1, 2, 0, 2, 3};
    mesh.material = material;
    return mesh;
}

void dropFaces(Mesh* mesh) {
    ASSERT_NE(mesh, nullptr);
    delete[] mesh->faces;
    mesh->faces = nullptr;
}

}  // namespace

TEST_F(DrawingGL, MeshesWithoutMaterialInheritTheStateAndFacelessMeshesApplyNothing) {
    write3ds::Model m;
    m.materials = {plainMaterial("Green", 0, 1, 0), plainMaterial("Red", 1, 0, 0)};
    m.meshes = {rectangle("Left", -0.5f, 0, 0.4f, 0.5f, "Green"),
                rectangle("Hollow", 0, 0, 1, 1, "Red"),
                rectangle("Right", 0.5f, 0, 0.4f, 0.5f, "")};
    auto model = models::loadModel(m);
    ASSERT_EQ(model->meshCount(), 3);
    ASSERT_EQ(model->mesh("Right")->material, nullptr);
    dropFaces(model->mesh("Hollow"));

    glColor3f(0, 0, 1);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    model->object.draw(true);
    // The material-less mesh drew with what the green one left: not blue, and not the red of the
    // faceless mesh between them.
    const std::vector<unsigned char> rgb = gl.readPixels();
    EXPECT_EQ(pixel(rgb, 160, 240), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(pixel(rgb, 480, 240), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(currentColour(), (std::vector<float>{0.0f, 1.0f, 0.0f, 1.0f}));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

    // On its own, the faceless mesh leaves every state it would have set as it was.
    write3ds::Model hollowOnly;
    hollowOnly.materials = {plainMaterial("Red", 1, 0, 0)};
    hollowOnly.meshes = {rectangle("Hollow", 0, 0, 1, 1, "Red")};
    auto hollow = models::loadModel(hollowOnly);
    dropFaces(hollow->mesh("Hollow"));
    glColor3f(0, 0, 1);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    hollow->object.draw(true);
    EXPECT_EQ(currentColour(), (std::vector<float>{0.0f, 0.0f, 1.0f, 1.0f}));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(DrawingGL, ASecondObjectDrawnWithoutReloadingStandsInTheFirstOnesFrame) {
    SceneObject holder;  // no meshes: only its transform counts
    holder.position = {-0.5f, 0.0f, 0.0f};
    holder.rotation = {0.0f, 0.0f, 90.0f};
    holder.setScale(0.5f);
    write3ds::Model m;
    m.materials = {plainMaterial("White", 1, 1, 1)};
    m.meshes = {rectangle("Bar", 0, 0, 0.2f, 0.05f, "White")};  // wide and flat
    auto bar = models::loadModel(m);
    bar->object.position = {0.5f, 0.0f, 0.0f};

    holder.draw(true);
    bar->object.draw(true);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    // The bar's centre goes to (0.5, 0), halved, turned to (0, 0.25) and moved to (-0.5, 0.25);
    // turned a quarter, it now stands upright there, 0.05 wide and 0.2 high.
    const std::vector<unsigned char> rgb = gl.readPixels();
    EXPECT_EQ(pixel(rgb, 160, 180), (std::vector<int>{255, 255, 255}));  // ndc (-0.5, 0.25)
    EXPECT_EQ(pixel(rgb, 160, 161), (std::vector<int>{255, 255, 255}));  // ndc (-0.5, 0.33)
    EXPECT_EQ(pixel(rgb, 131, 180), (std::vector<int>{0, 0, 0}));  // beside it: not lying flat
    EXPECT_EQ(pixel(rgb, 480, 240), (std::vector<int>{0, 0, 0}));  // where the bar alone would be
}

TEST_F(DrawingGL, TextureNamesThatLeaveTheFolderAreRefusedWithoutOpeningAnything) {
    // A good bitmap just outside the texture folder, reachable with "..", and the same one inside.
    const std::string outside = writeCheckerBitmap("outside.bmp");
    const std::string name = outside.substr(outside.find_last_of("/\\") + 1);
    const std::string parent = outside.substr(0, outside.size() - name.size());
    const std::string folder = parent + "orbek-test-textures-" + name + "/";
    std::filesystem::create_directory(folder);
    std::filesystem::copy_file(outside, folder + name);

    const struct {
        std::string textureName;
        bool loads;
    } cases[] = {{name, true}, {"../" + name, false}, {".." + name, false}};
    for (const auto& c : cases) {
        write3ds::Model m;
        write3ds::MaterialDesc material = plainMaterial("Named", 1, 1, 1);
        material.textureFile = c.textureName;
        m.materials.push_back(material);
        testing::internal::CaptureStderr();
        auto model = models::loadModel(m, folder.c_str());
        const std::string messages = testing::internal::GetCapturedStderr();
        Texture* texture = model->material("Named")->texture;
        ASSERT_NE(texture, nullptr) << c.textureName;
        EXPECT_EQ(texture->fileName, folder + c.textureName);
        EXPECT_EQ(texture->id != 0, c.loads) << c.textureName;
        EXPECT_EQ(
            messages,
            c.loads ? "" : "Error: Failed to open DIB file " + folder + c.textureName + ".\n");
    }
    std::filesystem::remove_all(folder);
    std::remove(outside.c_str());
}
