// The web GL layer's test page: makes the WebGL context, runs every group, reports each check on
// the console and the outcome in document.title ("passed" or "failed: N") for the node driver.
#include <cstdio>

#include <emscripten.h>

#include "platform/web/gl/WebGL.h"
#include "tests/web/gl/QuadricScenes.h"
#include "tests/web/gl/ShimTest.h"

namespace {
int failures = 0;
int checks = 0;
}  // namespace

std::uint32_t Image::at(int x, int y) const {
    const std::uint8_t* p = &rgba[static_cast<size_t>((y * canvasSize + x) * 4)];
    return (static_cast<std::uint32_t>(p[0]) << 16) | (p[1] << 8) | p[2];
}

int Image::litPixels() const {
    int lit = 0;
    for (int y = 0; y < canvasSize; ++y)
        for (int x = 0; x < canvasSize; ++x) lit += at(x, y) != 0;
    return lit;
}

int Image::differingPixels(const Image& other) const {
    int differing = 0;
    for (int y = 0; y < canvasSize; ++y)
        for (int x = 0; x < canvasSize; ++x) differing += at(x, y) != other.at(x, y);
    return differing;
}

Image render(const std::function<void()>& draw) {
    startTestFrame(canvasSize);
    draw();
    Image image;
    image.rgba.resize(canvasSize * canvasSize * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, canvasSize, canvasSize, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    return image;
}

unsigned long drawsDuring(const std::function<void()>& draw) {
    const unsigned long before = webglDrawCount();
    draw();
    glFinish();
    return webglDrawCount() - before;
}

void check(bool passed, const std::string& name, const std::string& detail) {
    ++checks;
    if (!passed) ++failures;
    std::printf("%s %s%s%s\n", passed ? "ok  " : "FAIL", name.c_str(), detail.empty() ? "" : ": ",
                detail.c_str());
}

void keep(const std::string& name, const Image& image) {
    // Rows top first for the PNG.
    std::vector<std::uint8_t> topFirst(image.rgba.size());
    const size_t row = canvasSize * 4;
    for (int y = 0; y < canvasSize; ++y)
        std::copy(image.rgba.begin() + static_cast<long>(y * row),
                  image.rgba.begin() + static_cast<long>((y + 1) * row),
                  topFirst.begin() + static_cast<long>((canvasSize - 1 - y) * row));
    EM_ASM(
        {
            Module.renders = Module.renders || {};
            Module.renders[UTF8ToString($0)] = Array.from(HEAPU8.subarray($1, $1 + $2));
        },
        name.c_str(), topFirst.data(), topFirst.size());
}

int main() {
    if (!webglCreateContext("#canvas")) {
        std::printf("FAIL no WebGL context\n");
        EM_ASM({ document.title = "failed: no WebGL context"; });
        return 1;
    }
    displayListTests();
    quadricTests();
    viewMatrixTests();
    pointGatheringTests();
    stateCallTests();
    webglEndFrame();

    // A page may make its context again after destroying it; the new one starts from GL's
    // defaults even though the canvas keeps its WebGL context.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    webglDestroyContext();
    const bool again = webglCreateContext("#canvas");
    check(again && !glIsEnabled(GL_DEPTH_TEST) && !glIsEnabled(GL_TEXTURE_2D),
          "a context made again starts with GL's defaults");
    const Image quad = render([] {
        glColor3f(0.0f, 1.0f, 1.0f);
        glBegin(GL_QUADS);
        glVertex2f(-0.5f, -0.5f);
        glVertex2f(0.5f, -0.5f);
        glVertex2f(0.5f, 0.5f);
        glVertex2f(-0.5f, 0.5f);
        glEnd();
    });
    check(again && quad.at(64, 64) == 0x00ffff && quad.at(10, 10) == 0,
          "a context made again draws");
    std::printf("%d checks, %d failed\n", checks, failures);
    if (failures == 0)
        EM_ASM({ document.title = "passed"; });
    else
        EM_ASM({ document.title = "failed: " + $0; }, failures);
    return 0;
}
