// Draws the shared reference scenes with the desktop's GL and GLU (Mesa, through SDL's offscreen
// driver) and writes each as NAME.rgba (128 x 128, RGBA, top row first) into the folder given,
// with their names in list.txt, for the browser tests to compare the layer's pictures with.
#include <SDL.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/web/ffgl/ReferenceScenes.h"

namespace {

constexpr int size = 128;

bool writeRender(const std::string& file) {
    std::vector<unsigned char> bottomFirst(size * size * 4), topFirst(size * size * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size, size, GL_RGBA, GL_UNSIGNED_BYTE, bottomFirst.data());
    for (int y = 0; y < size; ++y)
        std::copy(bottomFirst.begin() + y * size * 4, bottomFirst.begin() + (y + 1) * size * 4,
                  topFirst.begin() + (size - 1 - y) * size * 4);
    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(topFirst.data(), 1, topFirst.size(), out) == topFirst.size();
    return std::fclose(out) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ffgl_references FOLDER\n");
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window =
        SDL_CreateWindow("references", 0, 0, size, size, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "no GL context: %s\n", SDL_GetError());
        return 1;
    }
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricNormals(quadric, GLU_SMOOTH);
    const SceneTextures textures = makeSceneTextures();
    int failures = 0;
    std::ofstream list(std::string(argv[1]) + "/list.txt");
    for (const ReferenceScene* scene = referenceScenes; scene->name; ++scene) {
        startTestFrame(size);  // the browser tests' frame
        scene->draw(quadric, textures);
        glFinish();
        if (writeRender(std::string(argv[1]) + "/" + scene->name + ".rgba"))
            list << scene->name << "\n";
        else
            ++failures;
    }
    list.close();
    if (!list) ++failures;
    gluDeleteQuadric(quadric);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return failures == 0 ? 0 : 1;
}
