// What the SDL implementation adds to a window: its SDL window and GL context, shared by the
// message queue, the GL context and the message box code.
// Internal to platform/sdl: nothing outside this folder may include it.
#pragma once

#include <SDL.h>

#include "platform/WindowRegistry.h"

namespace platform {

struct RenderContextData {
    SDL_GLContext context;
    Window* window;
};

// Made when the window's pixel format is set, since SDL fixes the visual then; null until that.
inline SDL_Window* sdlWindow(const Window* window) {
    return static_cast<SDL_Window*>(window->native);
}
Window* windowFromSdlId(Uint32 id);
// Translates an SDL key to a virtual-key code; 0 when it has none.
unsigned virtualKeyFromSdl(SDL_Keycode key);
// The display mode that changeDisplaySettings chose, for full-screen windows made after it.
const SDL_DisplayMode* pendingFullscreenMode();
// Ends the message box on screen, if any: its helper process is told to end, so the box's call
// returns unanswered. Safe to call from a signal handler.
void endShownMessageBox();

}  // namespace platform
