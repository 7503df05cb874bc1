// Materials, textures and mesh drawing in a real (offscreen, software) GL context: the state
// apply() leaves, texture upload of odd widths, and meshes drawn with their transforms, colours
// and textures from a 3DS file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstdio>

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
