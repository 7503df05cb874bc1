// Benchmark page of the GL layer: a frame with the show's load (a 10,000-vertex textured mesh
// from client arrays, 12,000 particles of one glBegin/glEnd each in eight systems, the flag's
// 1,936 quads, its pole and cap, two glyph lists) drawn, then the same frame with draws discarded,
// one frame per animation frame. Prints the main thread's milliseconds per frame (median and 99th
// percentile) and the WebGL draws per frame, then sets the title to "passed" (for
// run-ffgl-tests.js, which prints the figures). Asserts nothing.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include <emscripten.h>
#include <emscripten/html5.h>

#include "ffgl.h"

namespace {

constexpr int framesMeasured = 150;
constexpr int meshSide = 103;  // 10,609 vertices, 20,808 triangles: the tube's size
constexpr int flagSide = 45;

std::vector<GLfloat> meshVertices, meshTexCoords;
std::vector<GLushort> meshIndices;
GLuint texture = 0, glyphs = 0;
GLUquadric* quadric = nullptr;
unsigned seed = 1u;

float next() {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<float>(seed >> 8) / static_cast<float>(1u << 24);
}

void makeScene() {
    for (int j = 0; j < meshSide; ++j)
        for (int i = 0; i < meshSide; ++i) {
            const float a = 6.2831853f * i / (meshSide - 1);
            meshVertices.insert(meshVertices.end(), {std::cos(a), std::sin(a), -0.2f * j});
            meshTexCoords.insert(meshTexCoords.end(), {4.0f * i / meshSide, 8.0f * j / meshSide});
        }
    for (int j = 0; j + 1 < meshSide; ++j)
        for (int i = 0; i + 1 < meshSide; ++i) {
            const GLushort v = static_cast<GLushort>(j * meshSide + i);
            meshIndices.insert(
                meshIndices.end(),
                {v, static_cast<GLushort>(v + 1), static_cast<GLushort>(v + meshSide),
                 static_cast<GLushort>(v + meshSide), static_cast<GLushort>(v + 1),
                 static_cast<GLushort>(v + meshSide + 1)});
        }
    std::vector<unsigned char> texels(64 * 64 * 3);
    for (size_t k = 0; k < texels.size(); ++k) texels[k] = static_cast<unsigned char>(k * 7);
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, 64, 64, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    quadric = gluNewQuadric();
    gluQuadricNormals(quadric, GLU_SMOOTH);
    gluQuadricTexture(quadric, GL_TRUE);
    glyphs = glGenLists(2);
    for (GLuint g = 0; g < 2; ++g) {
        glNewList(glyphs + g, GL_COMPILE);
        for (int strip = 0; strip < 20; ++strip) {
            glBegin(GL_QUAD_STRIP);
            for (int i = 0; i <= 10; ++i) {
                glNormal3f(0.0f, 0.0f, 1.0f);
                glVertex3f(0.01f * i, 0.02f * strip, 0.0f);
                glVertex3f(0.01f * i, 0.02f * strip + 0.02f, -0.05f);
            }
            glEnd();
        }
        glTranslatef(0.15f, 0.0f, 0.0f);
        glEndList();
    }
}

void frame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 4.0 / 3.0, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 1.0, 0.0, 0.0, -5.0, 0.0, 1.0, 0.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    // The tube: a material, then the mesh from client arrays.
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_DIFFUSE);
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_COLOR_MATERIAL);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, meshVertices.data());
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, meshTexCoords.data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(meshIndices.size()), GL_UNSIGNED_SHORT,
                   meshIndices.data());
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    // The flag: pole, cap and cloth.
    glPushMatrix();
    glTranslatef(0.3f, -0.2f, -2.0f);
    gluCylinder(quadric, 0.05, 0.05, 2.5, 16, 16);
    gluDisk(quadric, 0.0, 0.05, 16, 16);
    glBegin(GL_QUADS);
    for (int i = 0; i + 1 < flagSide; ++i)
        for (int j = 0; j + 1 < flagSide; ++j) {
            const float x0 = 0.02f * i, x1 = x0 + 0.02f, y0 = 0.02f * j, y1 = y0 + 0.02f;
            glTexCoord2f(x0, y0);
            glVertex3f(x0, y0, 0.0f);
            glTexCoord2f(x0, y1);
            glVertex3f(x0, y1, 0.0f);
            glTexCoord2f(x1, y1);
            glVertex3f(x1, y1, 0.0f);
            glTexCoord2f(x1, y0);
            glVertex3f(x1, y0, 0.0f);
        }
    glEnd();
    glPopMatrix();
    // Two digits.
    const unsigned char text[] = {1};
    for (int k = 0; k < 2; ++k) {
        glColor3f(1.0f, k ? 1.0f : 0.0f, 0.0f);
        glDisable(GL_TEXTURE_2D);
        glPushAttrib(GL_LIST_BIT);
        glListBase(glyphs - 1 + k);
        glCallLists(1, GL_UNSIGNED_BYTE, text);
        glPopAttrib();
    }
    // Eight particle systems, 12,000 points.
    glPointSize(2.0f);
    const int counts[8] = {500, 500, 250, 250, 250, 250, 5000, 5000};
    for (int system = 0; system < 8; ++system) {
        glTranslatef(0.0f, 0.0f, -0.01f);
        for (int i = 0; i < counts[system]; ++i) {
            glDisable(GL_TEXTURE_2D);
            glBegin(GL_POINTS);
            glColor3f(next(), next(), next());
            glVertex3f(next() - 0.5f, next() - 0.5f, -1.0f - next());
            glEnd();
        }
    }
    ffglEndFrame();
}

struct Run {
    const char* name;
    bool discard;
    std::vector<double> times;
    unsigned long draws;
};

Run runs[] = {{"drawn", false, {}, 0}, {"discarded", true, {}, 0}};
int runIndex = 0;

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>((values.size() - 1) * share)];
}

void tick() {
    Run& run = runs[runIndex];
    ffglDiscardDraws(run.discard);
    const unsigned long drawsBefore = ffglDrawCount();
    const double start = emscripten_get_now();
    frame();
    run.times.push_back(emscripten_get_now() - start);
    run.draws += ffglDrawCount() - drawsBefore;
    if (static_cast<int>(run.times.size()) < framesMeasured) return;
    std::printf("%-9s frame: %6.2f ms median, %6.2f ms p99, %lu WebGL draws a frame\n", run.name,
                percentile(run.times, 0.5), percentile(run.times, 0.99),
                run.draws / framesMeasured);
    if (++runIndex < 2) return;
    std::printf("a discarded frame costs %.0f %% of a drawn one (medians)\n",
                100.0 * percentile(runs[1].times, 0.5) / percentile(runs[0].times, 0.5));
    emscripten_cancel_main_loop();
    EM_ASM({ document.title = "passed"; });
}

}  // namespace

int main() {
    if (!ffglCreateContext("#canvas", FfglContextOptions{})) {
        EM_ASM({ document.title = "failed: no WebGL 2 context"; });
        return 1;
    }
    makeScene();
    emscripten_set_main_loop(tick, 0, 0);
    return 0;
}
