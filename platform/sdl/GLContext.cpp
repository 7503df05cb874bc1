// Display mode, pixel format, GL context and buffer swaps on SDL2. SDL picks a window's visual
// when the window is made, so the SDL window comes into being when its pixel format is set; until
// then a window is only its record. Full screen asks SDL for the closest real display mode, or
// covers the desktop at its own.
#include "platform/sdl/SdlWindow.h"

namespace platform {
namespace {

SDL_DisplayMode fullscreenMode;
bool fullscreenRequested = false;
bool desktopRequested = false;
int samplesRequested = 0;

// Colour channel sizes for a colour depth: 16 bits is 5-6-5, anything more 8-8-8.
void colourSizes(int bits, int* red, int* green, int* blue) {
    if (bits > 0 && bits <= 16) {
        *red = 5, *green = 6, *blue = 5;
    } else {
        *red = *green = *blue = 8;
    }
}

}  // namespace

const SDL_DisplayMode* pendingFullscreenMode() {
    return fullscreenRequested ? &fullscreenMode : nullptr;
}

int changeDisplaySettings(int width, int height, int bits) {
    if (!ensureVideo() || SDL_GetNumVideoDisplays() < 1) return displayChangeFailed;
    SDL_DisplayMode wanted{};
    wanted.w = width;
    wanted.h = height;
    wanted.format = bits <= 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
    if (SDL_GetClosestDisplayMode(0, &wanted, &fullscreenMode) == nullptr)
        return displayChangeFailed;
    fullscreenRequested = true;
    return displayChangeSuccessful;
}

bool coverDesktop(int* width, int* height) {
    SDL_DisplayMode desktop{};
    if (!ensureVideo() || SDL_GetNumVideoDisplays() < 1 ||
        SDL_GetDesktopDisplayMode(0, &desktop) != 0 || desktop.w <= 0 || desktop.h <= 0)
        return false;
    *width = desktop.w;
    *height = desktop.h;
    fullscreenRequested = false;
    desktopRequested = true;
    return true;
}

void requestSamples(int samples) {
    samplesRequested = samples > 1 ? samples : 0;
}

void restoreDisplaySettings() {
    // SDL gives the desktop its mode back when a full-screen window leaves full screen.
    fullscreenRequested = false;
    desktopRequested = false;
    SDL_Window* current = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GL_GetCurrentWindow() : nullptr;
    if (current != nullptr && (SDL_GetWindowFlags(current) & SDL_WINDOW_FULLSCREEN))
        SDL_SetWindowFullscreen(current, 0);
}

int showCursor(bool show) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return show ? 0 : -1;
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
    return show ? 0 : -1;
}

bool setPixelFormat(DeviceContext deviceContext, int format,
                    const PixelFormatDescriptor* descriptor) {
    if (deviceContext == nullptr || descriptor == nullptr || format != 1) return false;
    Window* window = deviceContext->window;
    if (sdlWindow(window) != nullptr) return false;  // a window's format is set once

    int red, green, blue;
    colourSizes(descriptor->cColorBits, &red, &green, &blue);
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, red);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, green);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, blue);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE,
                        descriptor->cDepthBits < 16 ? 16 : descriptor->cDepthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, descriptor->cStencilBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (descriptor->dwFlags & pfdDoubleBuffer) ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samplesRequested > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samplesRequested);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (!window->popup)
        flags |= SDL_WINDOW_RESIZABLE;
    else if (pendingFullscreenMode())
        flags |= SDL_WINDOW_FULLSCREEN;
    else if (desktopRequested)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    else
        flags |= SDL_WINDOW_BORDERLESS;
    SDL_Window* sdl = SDL_CreateWindow(window->title.c_str(), window->x, window->y, window->width,
                                       window->height, flags);
    if (sdl == nullptr && samplesRequested > 0) {
        // No visual with that many samples: the window is made without multisampling.
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);
        sdl = SDL_CreateWindow(window->title.c_str(), window->x, window->y, window->width,
                               window->height, flags);
    }
    if (sdl == nullptr) {
        // Fewer colour bits than asked are fine; a missing depth buffer is not.
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 0);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 0);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 0);
        sdl = SDL_CreateWindow(window->title.c_str(), window->x, window->y, window->width,
                               window->height, flags);
    }
    if (sdl == nullptr) return false;
    window->native = sdl;
    if (window->popup && pendingFullscreenMode())
        SDL_SetWindowDisplayMode(sdl, pendingFullscreenMode());
    return true;
}

RenderContext createContext(DeviceContext deviceContext) {
    if (deviceContext == nullptr || sdlWindow(deviceContext->window) == nullptr) return nullptr;
    SDL_GLContext context = SDL_GL_CreateContext(sdlWindow(deviceContext->window));
    if (context == nullptr) return nullptr;
    // The program paces itself; waiting for the display's refresh would only add to that.
    SDL_GL_SetSwapInterval(0);
    return new RenderContextData{context, deviceContext->window};
}

bool makeCurrent(DeviceContext deviceContext, RenderContext renderContext) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
    if (renderContext == nullptr)
        return SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr) == 0;
    if (deviceContext == nullptr || sdlWindow(deviceContext->window) == nullptr) return false;
    return SDL_GL_MakeCurrent(sdlWindow(deviceContext->window), renderContext->context) == 0;
}

bool deleteContext(RenderContext renderContext) {
    if (renderContext == nullptr) return false;
    SDL_GL_DeleteContext(renderContext->context);
    delete renderContext;
    return true;
}

bool swapBuffers(DeviceContext deviceContext) {
    if (deviceContext == nullptr || sdlWindow(deviceContext->window) == nullptr) return false;
    SDL_GL_SwapWindow(sdlWindow(deviceContext->window));
    return true;
}

bool hasCurrentContext() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GL_GetCurrentContext() != nullptr;
}

}  // namespace platform
