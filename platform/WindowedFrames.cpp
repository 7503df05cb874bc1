// Frames in a window of the system's own (Linux, Windows): a frame drawn early stays unseen until
// its swap, and nothing outside the program watches which frame is on screen.
#include "platform/GLContext.h"

namespace platform {

bool drawingShownBeforeSwap() {
    return false;
}

long frameToHold() {
    return -1;
}

void showFrameDone(long, bool) {}

}  // namespace platform
