// Draws join the one before while nothing they depend on changes, whatever their primitive: the
// WebGL draws a piece of drawing costs, a table of what joins and what does not, the pixels of
// joined draws against the same draws made one by one, and a frame of the countdown.
#include <cstdio>
#include <string>

#include <emscripten.h>
#include <gtest/gtest.h>

#include "tests/web/ffgl/FfglTest.h"
#include "tests/web/ffgl/ReferenceScenes.h"

namespace {

struct Random {
    unsigned state = 12345u;
    float next() {  // 0 to 1
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / static_cast<float>(1u << 24);
    }
};

// One glBegin/glEnd per particle, as the particle systems draw them.
void particles(Random& random, int count) {
    for (int i = 0; i < count; ++i) {
        glDisable(GL_TEXTURE_2D);
        glBegin(GL_POINTS);
        glColor3f(random.next(), random.next(), random.next());
        glVertex3f(random.next() * 1.8f - 0.9f, random.next() * 1.8f - 0.9f,
                   random.next() * 1.8f - 0.9f);
        glEnd();
    }
}

void triangle(float x) {
    glBegin(GL_TRIANGLES);
    glVertex2f(x, -0.5f);
    glVertex2f(x + 0.3f, -0.5f);
    glVertex2f(x + 0.15f, 0.5f);
    glEnd();
}

const GLushort meshIndices[] = {0, 1, 2, 2, 1, 3};
const GLfloat meshVertices[] = {-0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f,
                                -0.5f, 0.5f,  0.0f, 0.5f, 0.5f,  0.0f};
const GLfloat otherMeshVertices[] = {0.6f, -0.5f, 0.0f, 0.9f, -0.5f, 0.0f,
                                     0.6f, 0.5f,  0.0f, 0.9f, 0.5f,  0.0f};

// A mesh as the scene objects draw one.
void mesh(const GLfloat* vertices) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices);
    glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, meshIndices);
    glDisableClientState(GL_VERTEX_ARRAY);
}

struct MergeCase {
    const char* name;
    void (*draw)();
    unsigned long draws;
};

const MergeCase mergeCases[] = {
    {"EveryPolygonPrimitiveUnderOneState",
     [] {
         GLUquadric* quadric = gluNewQuadric();
         for (const ReferenceScene* s = referenceScenes; s->name; ++s)
             if (std::string(s->name) == "primitives-smooth") s->draw(quadric, SceneTextures{});
         gluDeleteQuadric(quadric);
     },
     1},
    {"PointsBetweenTriangles",
     [] {
         triangle(-0.9f);
         glBegin(GL_POINTS);
         glVertex2f(0.0f, 0.0f);
         glEnd();
         triangle(0.5f);
     },
     3},
    {"ATransformBetween",
     [] {
         triangle(-0.9f);
         glTranslatef(0.1f, 0.0f, 0.0f);
         triangle(0.5f);
     },
     2},
    {"AnEnableThatChanges",
     [] {
         triangle(-0.9f);
         glEnable(GL_BLEND);
         triangle(0.5f);
         glDisable(GL_BLEND);
     },
     2},
    {"CallsThatChangeNothing",
     [] {
         glEnable(GL_DEPTH_TEST);
         triangle(-0.9f);
         glEnable(GL_DEPTH_TEST);
         glDisable(GL_BLEND);
         glDisable(GL_TEXTURE_2D);
         glColor3f(0.2f, 0.4f, 0.6f);
         glNormal3f(0.0f, 1.0f, 0.0f);
         glBindTexture(GL_TEXTURE_2D, 0);
         glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
         glDepthFunc(GL_LESS);
         glPointSize(1.0f);
         glListBase(7);
         glListBase(0);
         glPushMatrix();
         glPopMatrix();
         triangle(0.5f);
         glDisable(GL_DEPTH_TEST);
         glColor3f(1.0f, 1.0f, 1.0f);
     },
     1},
    {"MeshesInDifferentColours",
     [] {
         glColor3f(1.0f, 0.0f, 0.0f);
         mesh(meshVertices);
         glColor3f(0.0f, 0.0f, 1.0f);
         mesh(otherMeshVertices);
         glColor3f(1.0f, 1.0f, 1.0f);
     },
     1},
    // A mesh's material, as the scene objects apply it, while lighting is off.
    {"MaterialsWhileUnlit",
     [] {
         triangle(-0.9f);
         glEnable(GL_COLOR_MATERIAL);
         glColorMaterial(GL_FRONT, GL_AMBIENT);
         glColor3f(0.3f, 0.3f, 0.3f);
         glColorMaterial(GL_FRONT, GL_DIFFUSE);
         glColor3f(0.9f, 0.8f, 0.7f);
         glDisable(GL_COLOR_MATERIAL);
         glMaterialf(GL_FRONT, GL_SHININESS, 40.0f);
         triangle(0.5f);
         glColor3f(1.0f, 1.0f, 1.0f);
         glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);
     },
     1},
    {"MaterialsWhileLit",
     [] {
         glEnable(GL_LIGHTING);
         triangle(-0.9f);
         glMaterialf(GL_FRONT, GL_SHININESS, 40.0f);
         triangle(0.5f);
         glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);
         glDisable(GL_LIGHTING);
     },
     2},
};

class Merging : public testing::TestWithParam<MergeCase> {};

TEST_P(Merging, DrawsAsManyTimesAsTheStateChanges) {
    const unsigned long layerBefore = ffglDrawCount();
    EXPECT_EQ(drawsDuring(GetParam().draw), GetParam().draws);
    EXPECT_EQ(ffglDrawCount() - layerBefore, GetParam().draws) << "the layer counts WebGL's draws";
}

INSTANTIATE_TEST_SUITE_P(Cases, Merging, testing::ValuesIn(mergeCases),
                         [](const testing::TestParamInfo<MergeCase>& info) {
                             return std::string(info.param.name);
                         });

// Particles with the depth test on, overlapping each other and a triangle drawn between them,
// a transform change half-way, and points in the current colour.
void particleScene(bool oneByOne) {
    Random random;
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glPointSize(2.0f);
    auto batch = [&](int count) {
        for (int i = 0; i < count; ++i) {
            particles(random, 1);
            // Submitting after each keeps every particle a draw of its own.
            if (oneByOne) glFlush();
        }
    };
    batch(1500);
    glColor3f(0.3f, 0.3f, 0.9f);
    glBegin(GL_TRIANGLES);
    glVertex3f(-0.8f, -0.8f, 0.0f);
    glVertex3f(0.8f, -0.6f, 0.0f);
    glVertex3f(0.0f, 0.8f, 0.2f);
    glEnd();
    batch(1500);
    glRotatef(15.0f, 0.0f, 0.0f, 1.0f);
    batch(1000);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_POINTS);
    glVertex3f(0.5f, 0.5f, -0.5f);
    glEnd();
    batch(500);
    glPointSize(1.0f);
    glDisable(GL_DEPTH_TEST);
}

TEST(MergedDraws, GiveThePixelsOfTheSameDrawsMadeOneByOne) {
    unsigned long separateDraws = 0, mergedDraws = 0;
    const Image separate =
        render([&] { separateDraws = drawsDuring([] { particleScene(true); }); });
    const Image merged = render([&] { mergedDraws = drawsDuring([] { particleScene(false); }); });
    keep("points-separate", separate);
    keep("points-merged", merged);
    std::printf("particle scene: %lu draws one by one, %lu merged\n", separateDraws, mergedDraws);
    EXPECT_GT(separate.litPixels(), 5000);
    EXPECT_EQ(merged.differingPixels(separate), 0);
    EXPECT_GE(separateDraws, 4500u);
    EXPECT_EQ(mergedDraws, 4u) << "particles, the triangle, particles, all after the rotation";
}

TEST(MergedDraws, WaitForTheEndOfTheFrame) {
    unsigned long before = 0, after = 0;
    render([&] {
        ffglEndFrame();
        const double start = EM_ASM_DOUBLE({ return webglCounts.draws; });
        Random random;
        particles(random, 100);
        before = static_cast<unsigned long>(EM_ASM_DOUBLE({ return webglCounts.draws; }) - start);
        ffglEndFrame();
        after = static_cast<unsigned long>(EM_ASM_DOUBLE({ return webglCounts.draws; }) - start);
    });
    EXPECT_EQ(before, 0u);
    EXPECT_EQ(after, 1u);
}

// The countdown's frame: the tube (one textured mesh), the red and the yellow digit (a glyph
// list each, called through glCallLists in a glPushAttrib), and two exhaust trails stepped in the
// aeroplane's frame: four draws.
TEST(MergedDraws, CountdownFrameIsFourDraws) {
    const SceneTextures textures = makeSceneTextures();
    const GLuint glyphs = glGenLists(2);
    for (GLuint g = 0; g < 2; ++g) {
        glNewList(glyphs + g, GL_COMPILE);
        glBegin(GL_TRIANGLE_STRIP);
        glNormal3f(0.0f, 0.0f, 1.0f);
        for (int i = 0; i < 6; ++i) glVertex3f(0.1f * i, i % 2 ? 0.4f : 0.0f, 0.0f);
        glEnd();
        glBegin(GL_QUAD_STRIP);
        for (int i = 0; i < 6; ++i) {
            glNormal3f(0.0f, -1.0f, 0.0f);
            glVertex3f(0.1f * i, 0.0f, 0.0f);
            glVertex3f(0.1f * i, 0.0f, -0.2f);
        }
        glEnd();
        glTranslatef(0.6f, 0.0f, 0.0f);
        glEndList();
    }
    const unsigned char digit[] = {1};
    const unsigned long draws = drawsDuring([&] {
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, textures.twoTexels);
        glColor3f(1.0f, 1.0f, 1.0f);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, meshVertices);
        glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, meshIndices);
        glDisableClientState(GL_VERTEX_ARRAY);
        for (int text = 0; text < 2; ++text) {
            glLoadIdentity();
            glTranslatef(-0.5f, 0.2f * text, 0.0f);
            glColor3f(1.0f, text ? 1.0f : 0.0f, 0.0f);
            glDisable(GL_TEXTURE_2D);
            glPushAttrib(GL_LIST_BIT);
            glListBase(glyphs - 1);
            glCallLists(1, GL_UNSIGNED_BYTE, digit);
            glPopAttrib();
        }
        glLoadIdentity();
        Random random;
        particles(random, 500);
        particles(random, 500);
        glDisable(GL_DEPTH_TEST);
    });
    EXPECT_EQ(draws, 4u);
    glDeleteLists(glyphs, 2);
    const GLuint names[] = {textures.twoTexels, textures.alphaGrid};
    glDeleteTextures(2, names);
}

}  // namespace
