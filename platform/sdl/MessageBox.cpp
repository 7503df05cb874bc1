// Message boxes on SDL2, or on stderr when nobody could answer one: no display, an offscreen or
// dummy video driver, or ORBEK42_NO_DIALOGS. A box must never hold up a run without a person, nor
// a run that was asked to end: on X, SDL shows the box from a child process and waits for it, so a
// termination request ends that child and the box returns unanswered.
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "platform/DialogFallback.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"
#include "platform/posix/ThreadChildren.h"
#include "platform/sdl/SdlWindow.h"

namespace platform {
namespace {

// The thread showing a box, 0 while none is shown.
std::atomic<long> boxThread{0};
static_assert(std::atomic<long>::is_always_lock_free, "read from a signal handler");

bool envSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

}  // namespace

bool dialogsSuppressed() {
    if (dialogsSuppressedOnRequest()) return true;
    const char* driver = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (driver != nullptr &&
        (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0))
        return true;
    return !envSet("DISPLAY") && !envSet("WAYLAND_DISPLAY");
}

void endShownMessageBox() {
    endThreadChildren(boxThread.load());
}

int messageBox(WindowHandle owner, const char* text, const char* caption, unsigned style) {
    if (dialogsSuppressed() || terminationRequested()) return printDialog(text, caption, style);

    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    switch (style & 0xF0) {
        case mbIconStop:
            flags = SDL_MESSAGEBOX_ERROR;
            break;
        case mbIconExclamation:
            flags = SDL_MESSAGEBOX_WARNING;
            break;
        default:
            break;
    }
    SDL_MessageBoxButtonData yesNo[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, idYes, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, idNo, "No"},
    };
    SDL_MessageBoxButtonData ok[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, idOk,
         "OK"},
    };
    const bool askYesNo = (style & 0xF) == mbYesNo;
    SDL_MessageBoxData box{};
    box.flags = flags;
    box.window = (owner != nullptr && isLiveWindow(owner)) ? sdlWindow(owner) : nullptr;
    box.title = caption ? caption : "";
    box.message = text ? text : "";
    box.numbuttons = askYesNo ? 2 : 1;
    box.buttons = askYesNo ? yesNo : ok;
    int pressed = -1;
    boxThread = currentThreadId();
    // A request that came just before the box went up finds no child to end: look again after.
    const bool shown = !terminationRequested() && SDL_ShowMessageBox(&box, &pressed) == 0;
    boxThread = 0;
    if (!shown || pressed < 0 || terminationRequested()) return printDialog(text, caption, style);
    return pressed;
}

}  // namespace platform
