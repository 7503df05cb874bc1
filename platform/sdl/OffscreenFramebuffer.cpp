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
        calls.genFramebuffers(1, &resolved);
        calls.bindFramebuffer(GL_FRAMEBUFFER, resolved);
        calls.genRenderbuffers(1, &resolvedColour);
        calls.bindRenderbuffer(GL_RENDERBUFFER, resolvedColour);
        calls.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        calls.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                      resolvedColour);
        complete = calls.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    auto storage = [&](GLenum format) {
        if (samples > 1)
            calls.renderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
        else
            calls.renderbufferStorage(GL_RENDERBUFFER, format, width, height);
    };
    calls.genFramebuffers(1, &framebuffer);
    calls.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    calls.genRenderbuffers(1, &colour);
    calls.bindRenderbuffer(GL_RENDERBUFFER, colour);
    storage(GL_RGBA8);
    calls.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    calls.genRenderbuffers(1, &depth);
    calls.bindRenderbuffer(GL_RENDERBUFFER, depth);
    storage(depthBits > 16 ? GL_DEPTH_COMPONENT24 : GL_DEPTH_COMPONENT16);
    calls.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    calls.bindRenderbuffer(GL_RENDERBUFFER, 0);
    if (!complete || calls.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE ||
        glGetError() != GL_NO_ERROR) {
        release();
        *error = "the GL driver cannot make a " + std::to_string(width) + "x" +
                 std::to_string(height) + " offscreen framebuffer (out of memory?)";
        return false;
    }
    framebufferWidth = width;
    framebufferHeight = height;
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    return true;
}

void OffscreenFramebuffer::bind(bool ours) {
    if (framebuffer == 0) return;
    calls.bindFramebuffer(GL_FRAMEBUFFER, ours ? framebuffer : 0);
    glDrawBuffer(ours ? GL_COLOR_ATTACHMENT0 : GL_BACK);
    glReadBuffer(ours ? GL_COLOR_ATTACHMENT0 : GL_BACK);
}

void OffscreenFramebuffer::readPixels(unsigned char* bgra) {
    if (resolved != 0) {
        calls.bindFramebuffer(GL_DRAW_FRAMEBUFFER, resolved);
        calls.blitFramebuffer(0, 0, framebufferWidth, framebufferHeight, 0, 0, framebufferWidth,
                              framebufferHeight, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        calls.bindFramebuffer(GL_READ_FRAMEBUFFER, resolved);
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, framebufferWidth, framebufferHeight, GL_BGRA, GL_UNSIGNED_BYTE, bgra);
    if (resolved != 0) calls.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

void OffscreenFramebuffer::release() {
    if (framebuffer != 0 && SDL_GL_GetCurrentContext() != nullptr) {
        calls.bindFramebuffer(GL_FRAMEBUFFER, 0);
        calls.deleteFramebuffers(1, &framebuffer);
        calls.deleteRenderbuffers(1, &colour);
        calls.deleteRenderbuffers(1, &depth);
        if (resolved != 0) {
            calls.deleteFramebuffers(1, &resolved);
            calls.deleteRenderbuffers(1, &resolvedColour);
        }
    }
    framebuffer = colour = depth = resolved = resolvedColour = 0;
    framebufferWidth = framebufferHeight = 0;
}

}  // namespace platform
