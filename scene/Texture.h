// A GL texture made from a BMP file. Without a current GL context (tools, tests) nothing is read
// or uploaded and the texture only remembers the file it was given, so loading a model never
// needs a window.
#pragma once

#include <string>

class Texture {
public:
    Texture();
    // Loads at once; the outcome is not kept (check id).
    Texture(const char* path, int wrapS, int wrapT, int minFilter, int magFilter,
            const float* borderColour = nullptr);
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;
    virtual ~Texture();

    // Reads the bitmap and uploads it. A zero parameter stays at GL's default; borderColour, when
    // given, is four floats. True when the image was read and uploaded.
    bool load(const char* path, int wrapS, int wrapT, int minFilter, int magFilter,
              const float* borderColour = nullptr);
    // For a path that must never be opened (it holds a name that could leave its folder):
    // remembered, and reported as a file that cannot be opened where load would read; the texture
    // stays empty.
    void refuse(const char* path);
    // Modulated texturing with this texture (name 0, no image, when it never loaded).
    void bind();

    unsigned int id;
    std::string fileName;  // the path last given to load
};
