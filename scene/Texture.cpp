// Texture creation and binding. Rows are uploaded with an unpack alignment of 1 because the
// bitmap reader packs them without padding; the previous alignment is put back afterwards.
#include "scene/Texture.h"

#include "platform/GL.h"
#include "platform/GLContext.h"
#include "scene/loadBitmap.h"

Texture::Texture() : id(0) {}

Texture::Texture(const char* path, int wrapS, int wrapT, int minFilter, int magFilter,
                 const float* borderColour)
    : id(0) {
    load(path, wrapS, wrapT, minFilter, magFilter, borderColour);
}

Texture::~Texture() {
    // Name 0 is ignored by GL anyway; skipping it keeps context-free tools away from GL.
    if (id != 0) glDeleteTextures(1, &id);
}

bool Texture::load(const char* path, int wrapS, int wrapT, int minFilter, int magFilter,
                   const float* borderColour) {
    if (!path) return false;
    fileName = path;
    if (!platform::hasCurrentContext()) return false;

    BitmapImage* image = loadBitmap(path);
    if (!image) return false;

    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image->width, image->height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 image->pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    if (wrapS) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapS);
    if (wrapT) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapT);
    if (minFilter) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    if (magFilter) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    if (borderColour) glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, borderColour);

    releaseBitmap(image);
    return true;
}

void Texture::refuse(const char* path) {
    if (!path) return;
    fileName = path;
    if (platform::hasCurrentContext()) reportUnopenedBitmap(path);
}

void Texture::bind() {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, id);
}
