// SDL keys to virtual-key codes, in one place, so key messages read the same on every system.
#include "platform/Keys.h"
#include "platform/sdl/SdlWindow.h"

namespace platform {

unsigned virtualKeyFromSdl(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + static_cast<unsigned>(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + static_cast<unsigned>(key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return vkF1 + static_cast<unsigned>(key - SDLK_F1);
    switch (key) {
        case SDLK_ESCAPE:
            return vkEscape;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return vkReturn;
        case SDLK_SPACE:
            return vkSpace;
        case SDLK_BACKSPACE:
            return vkBack;
        case SDLK_TAB:
            return vkTab;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return vkShift;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return vkControl;
        case SDLK_LALT:
        case SDLK_RALT:
            return vkMenu;
        case SDLK_PAUSE:
            return vkPause;
        case SDLK_LEFT:
            return vkLeft;
        case SDLK_UP:
            return vkUp;
        case SDLK_RIGHT:
            return vkRight;
        case SDLK_DOWN:
            return vkDown;
        default:
            return 0;
    }
}

}  // namespace platform
