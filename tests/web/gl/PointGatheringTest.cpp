// Gathered point batches give the pixels of one draw per batch, wherever the batches meet state
// changes, other batches, uncoloured points or the end of the frame; and they do cut the draws.
#include <cstdio>

#include "platform/web/gl/WebGL.h"
#include "tests/web/gl/ShimTest.h"

namespace {

struct Random {
    unsigned state = 12345u;
    float next()  // 0 to 1
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / static_cast<float>(1u << 24);
    }
};

// One batch per particle, as the particle systems draw them.
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

// Particles with the depth test on, overlapping each other and a triangle drawn between them,
// a transform change half-way, and points without a colour of their own.
void particleScene() {
    Random random;
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glPointSize(2.0f);
    particles(random, 1500);
    glColor3f(0.3f, 0.3f, 0.9f);
    glBegin(GL_TRIANGLES);
    glVertex3f(-0.8f, -0.8f, 0.0f);
    glVertex3f(0.8f, -0.6f, 0.0f);
    glVertex3f(0.0f, 0.8f, 0.2f);
    glEnd();
    particles(random, 1500);
    glRotatef(15.0f, 0.0f, 0.0f, 1.0f);
    particles(random, 1000);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_POINTS);
    glVertex3f(0.5f, 0.5f, -0.5f);
    glEnd();
    particles(random, 500);
    glPointSize(1.0f);
    glDisable(GL_DEPTH_TEST);
}

void setGathering(bool on) {
    webglSetPointGathering(on);
}

}  // namespace

void pointGatheringTests() {
    setGathering(false);
    unsigned long separateDraws = 0;
    const Image separate = render([&] { separateDraws = drawsDuring(particleScene); });
    setGathering(true);
    unsigned long gatheredDraws = 0;
    const Image gathered = render([&] { gatheredDraws = drawsDuring(particleScene); });
    keep("points-separate", separate);
    keep("points-gathered", gathered);
    check(separate.litPixels() > 5000, "the particle scene draws something");
    check(gathered.differingPixels(separate) == 0,
          "gathered points give the pixels of one draw per batch",
          std::to_string(gathered.differingPixels(separate)) + " pixels differ");
    std::printf("info particle scene: %lu draws one per batch, %lu gathered\n", separateDraws,
                gatheredDraws);
    check(separateDraws >= 4500 && gatheredDraws <= 8, "gathering cuts the draws to a handful",
          std::to_string(separateDraws) + " -> " + std::to_string(gatheredDraws));

    // Held-back points go out at the end of the frame, not later.
    unsigned long before = 0, after = 0;
    render([&] {
        Random random;
        const unsigned long start = webglDrawCount();
        particles(random, 100);
        before = webglDrawCount() - start;
        webglEndFrame();
        after = webglDrawCount() - start;
    });
    check(before == 0 && after == 1, "the end of the frame draws the gathered points",
          std::to_string(before) + " then " + std::to_string(after));

    // A texture on means the points take texture coordinates: no gathering then.
    const unsigned long textured = drawsDuring([] {
        Random random;
        glEnable(GL_TEXTURE_2D);
        for (int i = 0; i < 10; ++i) {
            glBegin(GL_POINTS);
            glColor3f(random.next(), random.next(), random.next());
            glVertex3f(random.next(), random.next(), 0.0f);
            glEnd();
        }
        glDisable(GL_TEXTURE_2D);
    });
    check(textured == 10, "textured points are drawn batch by batch");
}
