// The offscreen framebuffer on SDL: the framebuffer-object calls are looked up through SDL in the
// current context, as the GL 1.1 the demo links against need not export them.
#include "platform/OffscreenFramebuffer.h"

#include <SDL.h>

#include "platform/GL.h"

namespace platform {
namespace {

struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage;
    PFNGLRENDERBUFFERSTORAGEMULTISAMPLEPROC renderbufferStorageMultisample;
    PFNGLBLITFRAMEBUFFERPROC blitFramebuffer;
};

FramebufferCalls calls;

template <typename Call>
bool lookUp(Call* call, const char* name) {
    *call = reinterpret_cast<Call>(SDL_GL_GetProcAddress(name));
    return *call != nullptr;
}

bool lookUpCalls() {
    return lookUp(&calls.genFramebuffers, "glGenFramebuffers") &&
           lookUp(&calls.deleteFramebuffers, "glDeleteFramebuffers") &&
           lookUp(&calls.bindFramebuffer, "glBindFramebuffer") &&
           lookUp(&calls.checkFramebufferStatus, "glCheckFramebufferStatus") &&
           lookUp(&calls.framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
           lookUp(&calls.genRenderbuffers, "glGenRenderbuffers") &&
           lookUp(&calls.deleteRenderbuffers, "glDeleteRenderbuffers") &&
           lookUp(&calls.bindRenderbuffer, "glBindRenderbuffer") &&
           lookUp(&calls.renderbufferStorage, "glRenderbufferStorage") &&
           lookUp(&calls.renderbufferStorageMultisample, "glRenderbufferStorageMultisample") &&
           lookUp(&calls.blitFramebuffer, "glBlitFramebuffer");
}

bool hasFramebufferObjects() {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    // Framebuffer objects are core from GL 3.0; before that the ARB extension names the same calls.
    return (version != nullptr && version[0] >= '3' && version[0] <= '9') ||
           (extensions != nullptr && SDL_strstr(extensions, "GL_ARB_framebuffer_object"));
}

}  // namespace

OffscreenFramebuffer::~OffscreenFramebuffer() {
    release();
}

bool OffscreenFramebuffer::create(int width, int height, int samples, int depthBits,
                                  std::string* error) {
    release();
    if (!SDL_GL_GetCurrentContext() || !hasFramebufferObjects() || !lookUpCalls()) {
        *error = "this GL driver has no framebuffer objects";
        return false;
    }
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    if (width < 1 || height < 1 || width > largest || height > largest) {
        *error = "this GL driver draws at most " + std::to_string(largest) + "x" +
                 std::to_string(largest) + " pixels offscreen; " + std::to_string(width) + "x" +
                 std::to_string(height) + " is too large (choose a smaller size or supersampling)";
        return false;
    }
    GLint mostSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &mostSamples);
    if (samples > 1 && samples > mostSamples) {
        *error = "this GL driver takes at most " + std::to_string(mostSamples) +
                 " samples a pixel, not " + std::to_string(samples);
        return false;
    }
    bool complete = true;
    if (samples > 1) {
        // Drawn into with several samples a pixel; read through a plain one they are resolved to.
        calls.genFramebuffers(1, &resolved_);
        calls.bindFramebuffer(GL_FRAMEBUFFER, resolved_);
        calls.genRenderbuffers(1, &resolvedColour_);
        calls.bindRenderbuffer(GL_RENDERBUFFER, resolvedColour_);
        calls.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        calls.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                      resolvedColour_);
        complete = calls.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    auto storage = [&](GLenum format) {
        if (samples > 1)
            calls.renderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
        else
            calls.renderbufferStorage(GL_RENDERBUFFER, format, width, height);
    };
    calls.genFramebuffers(1, &framebuffer_);
    calls.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    calls.genRenderbuffers(1, &colour_);
    calls.bindRenderbuffer(GL_RENDERBUFFER, colour_);
    storage(GL_RGBA8);
    calls.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    calls.genRenderbuffers(1, &depth_);
    calls.bindRenderbuffer(GL_RENDERBUFFER, depth_);
    storage(depthBits > 16 ? GL_DEPTH_COMPONENT24 : GL_DEPTH_COMPONENT16);
    calls.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    calls.bindRenderbuffer(GL_RENDERBUFFER, 0);
    if (!complete || calls.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE ||
        glGetError() != GL_NO_ERROR) {
        release();
        *error = "the GL driver cannot make a " + std::to_string(width) + "x" +
                 std::to_string(height) + " offscreen framebuffer (out of memory?)";
        return false;
    }
    width_ = width;
    height_ = height;
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    return true;
}

void OffscreenFramebuffer::bind(bool ours) {
    if (framebuffer_ == 0) return;
    calls.bindFramebuffer(GL_FRAMEBUFFER, ours ? framebuffer_ : 0);
    glDrawBuffer(ours ? GL_COLOR_ATTACHMENT0 : GL_BACK);
    glReadBuffer(ours ? GL_COLOR_ATTACHMENT0 : GL_BACK);
}

void OffscreenFramebuffer::readPixels(unsigned char* bgra) {
    if (resolved_ != 0) {
        calls.bindFramebuffer(GL_DRAW_FRAMEBUFFER, resolved_);
        calls.blitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT,
                              GL_NEAREST);
        calls.bindFramebuffer(GL_READ_FRAMEBUFFER, resolved_);
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_BYTE, bgra);
    if (resolved_ != 0) calls.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

void OffscreenFramebuffer::release() {
    if (framebuffer_ != 0 && SDL_GL_GetCurrentContext() != nullptr) {
        calls.bindFramebuffer(GL_FRAMEBUFFER, 0);
        calls.deleteFramebuffers(1, &framebuffer_);
        calls.deleteRenderbuffers(1, &colour_);
        calls.deleteRenderbuffers(1, &depth_);
        if (resolved_ != 0) {
            calls.deleteFramebuffers(1, &resolved_);
            calls.deleteRenderbuffers(1, &resolvedColour_);
        }
    }
    framebuffer_ = colour_ = depth_ = resolved_ = resolvedColour_ = 0;
    width_ = height_ = 0;
}

}  // namespace platform
