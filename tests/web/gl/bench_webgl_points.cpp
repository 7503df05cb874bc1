// Benchmark page: a frame of particles drawn one batch per particle, as the particle systems do,
// with the points gathered into one draw and without. Prints draws and milliseconds per frame on
// the console and sets the title to "passed" when done. Not a test: it asserts nothing.
#include <cstdio>
#include <initializer_list>

#include <emscripten.h>

#include "platform/GL.h"
#include "platform/web/gl/WebGL.h"

namespace {

constexpr int frames = 40;

unsigned seed = 1u;
float next() {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<float>(seed >> 8) / static_cast<float>(1u << 24);
}

void frame(int particles) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(15.0f, 0.0f, 1.0f, 0.0f);
    for (int i = 0; i < particles; ++i) {
        glDisable(GL_TEXTURE_2D);
        glBegin(GL_POINTS);
        glColor3f(next(), next(), next());
        glVertex3f(next() * 2.0f - 1.0f, next() * 2.0f - 1.0f, next() * 2.0f - 1.0f);
        glEnd();
    }
    webglEndFrame();
    // Reading a pixel waits for the frame's drawing to finish.
    unsigned char pixel[4];
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
}

void measure(int particles, bool gather) {
    webglSetPointGathering(gather);
    frame(particles);
    const unsigned long draws = webglDrawCount();
    const double start = emscripten_get_now();
    for (int i = 0; i < frames; ++i) frame(particles);
    const double perFrame = (emscripten_get_now() - start) / frames;
    std::printf("%5d particles, %s: %5lu draws, %7.2f ms a frame\n", particles,
                gather ? "gathered   " : "one by one ", (webglDrawCount() - draws) / frames,
                perFrame);
}

}  // namespace

int main() {
    if (!webglCreateContext("#canvas")) {
        EM_ASM({ document.title = "failed: no WebGL context"; });
        return 1;
    }
    glViewport(0, 0, 128, 128);
    glEnable(GL_DEPTH_TEST);
    glPointSize(2.0f);
    for (int particles : {500, 2000, 8000}) {
        measure(particles, false);
        measure(particles, true);
    }
    EM_ASM({ document.title = "passed"; });
    return 0;
}
