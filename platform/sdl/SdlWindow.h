// What a window is in the SDL implementation; shared by the message queue and the GL context code.
// Internal to platform/sdl: nothing outside this folder may include it.
#pragma once

#include <SDL.h>
#include <string>

#include "platform/GLContext.h"
#include "platform/Window.h"

namespace platform {

struct Window {
    std::string className;
    WindowProc procedure = nullptr;
    std::string title;
    bool messageOnly = false;
    bool popup = false;
    bool minimised = false;
    int x = 0, y = 0, width = 0, height = 0;
    SDL_Window* sdl = nullptr;  // made when its pixel format is set: SDL fixes the visual then
    DeviceContext deviceContext = nullptr;
};

struct DeviceContextData {
    Window* window;
};

struct RenderContextData {
    SDL_GLContext context;
    Window* window;
};

// Live windows only; a message for a window that is gone is dropped.
bool isLiveWindow(const Window* window);
Window* windowFromSdlId(Uint32 id);
// Starts SDL's video subsystem on first use.
bool ensureVideo();
// Translates an SDL key to a virtual-key code; 0 when it has none.
unsigned virtualKeyFromSdl(SDL_Keycode key);
// The display mode that changeDisplaySettings chose, for full-screen windows made after it.
const SDL_DisplayMode* pendingFullscreenMode();

}  // namespace platform
