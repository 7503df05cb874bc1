// Discarding draws (ffglDiscardDraws, or an empty scissor box, with which the show steps its late
// frames): a frame like the show's, run with draws discarded, makes no WebGL draw and uploads
// nothing, yet leaves the state drawing it leaves, so the next frame comes out the same.
#include <algorithm>

#include <gtest/gtest.h>

#include "tests/web/ffgl/FfglTest.h"
#include "tests/web/ffgl/ReferenceScenes.h"

namespace {

const GLushort meshIndices[] = {0, 1, 2, 2, 1, 3};
const GLfloat meshVertices[] = {-0.4f, -0.4f, 0.1f, 0.4f, -0.4f, 0.1f,
                                -0.4f, 0.4f,  0.1f, 0.4f, 0.4f,  0.1f};
const GLfloat meshTexCoords[] = {0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f};

// The state after a frame; the raster position (which only moves) as the frame moved it.
StateRecord recordFrom(const GLfloat rasterBefore[4]) {
    StateRecord record = recordState();
    int k = 0;
    for (size_t i = 0; i < record.names.size(); ++i)
        if (record.names[i] == "raster position") record.values[i] -= rasterBefore[k++];
    return record;
}

class Discard : public testing::Test {
protected:
    void SetUp() override {
        textures = makeSceneTextures();
        quadric = gluNewQuadric();
        gluQuadricNormals(quadric, GLU_SMOOTH);
        gluQuadricTexture(quadric, GL_TRUE);
        // Glyph-like lists: a 0 x 0 bitmap's advance, geometry with normals, the cell's move.
        glyphs = glGenLists(2);
        for (GLuint g = 0; g < 2; ++g) {
            glNewList(glyphs + g, GL_COMPILE);
            glBitmap(0, 0, 0.0f, 0.0f, 9.0f + g, 0.0f, nullptr);
            glBegin(GL_TRIANGLE_FAN);
            glNormal3f(0.0f, 0.6f, 0.8f);
            glVertex3f(0.0f, 0.0f, 0.0f);
            glVertex3f(0.2f, 0.0f, 0.0f);
            glVertex3f(0.2f, 0.3f + 0.1f * g, 0.0f);
            glVertex3f(0.0f, 0.3f, 0.0f);
            glEnd();
            glTranslatef(0.25f, 0.0f, 0.0f);
            glEndList();
        }
    }
    void TearDown() override {
        glDeleteLists(glyphs, 2);
        gluDeleteQuadric(quadric);
        const GLuint names[] = {textures.twoTexels, textures.alphaGrid};
        glDeleteTextures(2, names);
    }

    // The same values every time, so that two runs start alike.
    void start() {
        startTestFrame(canvasSize);
        glColor3f(1.0f, 1.0f, 1.0f);
        glNormal3f(0.0f, 0.0f, 1.0f);
        glTexCoord2f(0.0f, 0.0f);
        glPointSize(1.0f);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_DEPTH_TEST);
    }

    // The state a frame leaves, from start() on, the raster position as the frame moved it.
    StateRecord stateAfter(const std::function<void()>& frame) {
        start();
        GLfloat raster[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
        frame();
        ffglEndFrame();
        return recordFrom(raster);
    }

    // A frame of the show's kinds of drawing, each step leaving state for the next: it does not
    // reset the modelview matrix, so a second frame starts from where the first left it.
    void showFrame() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glRotatef(7.0f, 0.0f, 0.0f, 1.0f);
        // A mesh with its material, from client arrays.
        glDisable(GL_BLEND);
        glEnable(GL_COLOR_MATERIAL);
        glColorMaterial(GL_FRONT, GL_AMBIENT);
        glColor3f(0.3f, 0.3f, 0.3f);
        glColorMaterial(GL_FRONT, GL_DIFFUSE);
        glColor3f(0.9f, 0.9f, 0.8f);
        glDisable(GL_COLOR_MATERIAL);
        glMaterialf(GL_FRONT, GL_SHININESS, 30.0f);
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glBindTexture(GL_TEXTURE_2D, textures.twoTexels);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, meshVertices);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, meshTexCoords);
        glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, meshIndices);
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        // The flag's pole and cap, then its cloth.
        glTranslatef(0.1f, -0.2f, 0.0f);
        gluCylinder(quadric, 0.05, 0.05, 0.5, 16, 16);
        gluDisk(quadric, 0.0, 0.05, 16, 16);
        glBegin(GL_QUADS);
        for (int i = 0; i < 4; ++i) {
            glTexCoord2f(0.1f * i, 0.2f);
            glVertex3f(-0.6f + 0.1f * i, 0.5f, 0.0f);
            glTexCoord2f(0.1f * i + 0.1f, 0.2f);
            glVertex3f(-0.5f + 0.1f * i, 0.5f, 0.0f);
            glTexCoord2f(0.1f * i + 0.1f, 0.9f);
            glVertex3f(-0.5f + 0.1f * i, 0.8f, 0.0f);
            glTexCoord2f(0.1f * i, 0.9f);
            glVertex3f(-0.6f + 0.1f * i, 0.8f, 0.0f);
        }
        glEnd();
        // A countdown digit through the list base.
        glPushMatrix();
        glScalef(0.8f, 0.8f, 0.8f);
        glColor3f(1.0f, 1.0f, 0.0f);
        glDisable(GL_TEXTURE_2D);
        const unsigned char text[] = {1, 2, 1};
        glPushAttrib(GL_LIST_BIT);
        glListBase(glyphs - 1);
        glCallLists(3, GL_UNSIGNED_BYTE, text);
        glPopAttrib();
        glPopMatrix();
        // A particle system.
        glPointSize(3.0f);
        for (int i = 0; i < 50; ++i) {
            glDisable(GL_TEXTURE_2D);
            glBegin(GL_POINTS);
            glColor3f(0.02f * i, 0.5f, 1.0f - 0.02f * i);
            glVertex3f(-0.8f + 0.03f * i, -0.7f + 0.01f * i, 0.3f);
            glEnd();
        }
        glListBase(3);
        glDisable(GL_DEPTH_TEST);
    }

    SceneTextures textures{};
    GLUquadric* quadric = nullptr;
    GLuint glyphs = 0;
};

TEST_F(Discard, LeavesTheStateDrawingLeavesWithoutDrawing) {
    const StateRecord drawn = stateAfter([&] { showFrame(); });
    WebglWork work{};
    const StateRecord discarded = stateAfter([&] {
        ffglDiscardDraws(true);
        work = webglWorkDuring([&] { showFrame(); });
        ffglDiscardDraws(false);
    });
    EXPECT_EQ(stateDifferences(drawn, discarded), "");
    EXPECT_EQ(work.draws, 0u);
    EXPECT_EQ(work.uploadedBytes, 0u);
    const auto advance = std::find(drawn.names.begin(), drawn.names.end(), "raster position");
    ASSERT_NE(advance, drawn.names.end());
    EXPECT_EQ(drawn.values[advance - drawn.names.begin()], 28.0f)
        << "the three glyphs' advances, 9 + 10 + 9";
}

// A second frame drawn on from where the first left off (matrices, colours, normals, bindings,
// list base, materials) gives the same pixels whether the first was drawn or discarded.
TEST_F(Discard, TheNextFrameComesOutTheSame) {
    start();
    showFrame();
    ffglEndFrame();
    showFrame();
    const Image afterDrawn = readCanvas();

    start();
    ffglDiscardDraws(true);
    showFrame();
    ffglEndFrame();
    ffglDiscardDraws(false);
    showFrame();
    const Image afterDiscarded = readCanvas();
    keep("discard-next-frame", afterDiscarded);
    EXPECT_GT(afterDrawn.litPixels(), 2000);
    EXPECT_EQ(afterDiscarded.differingPixels(afterDrawn), 0);
}

// The show steps a late frame with the scissor test on and an empty box (nothing can reach a
// pixel), which the layer takes as discarding: the same state afterwards, nothing drawn.
TEST_F(Discard, AnEmptyScissorBoxDropsDrawsAsDiscardingDoes) {
    const StateRecord drawn = stateAfter([&] { showFrame(); });
    WebglWork work{};
    const StateRecord scissored = stateAfter([&] {
        GLint box[4];
        glGetIntegerv(GL_SCISSOR_BOX, box);
        work = webglWorkDuring([&] {
            glScissor(0, 0, 0, 0);
            glEnable(GL_SCISSOR_TEST);
            showFrame();
            glScissor(box[0], box[1], box[2], box[3]);
            glDisable(GL_SCISSOR_TEST);
        });
    });
    EXPECT_EQ(stateDifferences(drawn, scissored), "");
    EXPECT_EQ(work.draws, 0u);
    EXPECT_EQ(work.uploadedBytes, 0u);
}

TEST_F(Discard, KeepsDrawsQueuedBeforeAndListsCompiledWhile) {
    unsigned long draws = 0;
    GLuint list = 0;
    const Image image = render([&] {
        draws = drawsDuring([&] {
            glBegin(GL_TRIANGLES);
            glVertex2f(-0.9f, -0.9f);
            glVertex2f(-0.1f, -0.9f);
            glVertex2f(-0.5f, -0.1f);
            glEnd();
            ffglDiscardDraws(true);
            list = glGenLists(1);
            glNewList(list, GL_COMPILE);
            glBegin(GL_TRIANGLES);
            glVertex2f(0.1f, 0.1f);
            glVertex2f(0.9f, 0.1f);
            glVertex2f(0.5f, 0.9f);
            glEnd();
            glEndList();
            glCallList(list);
        });
        ffglDiscardDraws(false);
        glCallList(list);
    });
    EXPECT_EQ(draws, 1u);
    EXPECT_NE(image.at(32, 20), 0u) << "drawn before discarding began";
    EXPECT_NE(image.at(96, 70), 0u) << "compiled while discarding, drawn after";
    glDeleteLists(list, 1);
}

}  // namespace
