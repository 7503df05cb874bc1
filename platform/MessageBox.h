// Modal message boxes with text, caption, buttons and icon. Without a display (tests, CI,
// headless capture) a box is printed as "CAPTION: text" on stderr and answered with its default.
#pragma once

#include "platform/Window.h"

namespace platform {

// Styles and answers carry the system's own values so they pass straight through.
constexpr unsigned mbOk = 0x0;
constexpr unsigned mbYesNo = 0x4;
constexpr unsigned mbIconStop = 0x10;
constexpr unsigned mbIconExclamation = 0x30;
constexpr unsigned mbIconWarning = 0x30;
constexpr unsigned mbIconInformation = 0x40;

constexpr int idOk = 1;
constexpr int idYes = 6;
constexpr int idNo = 7;

// Shows the box and returns the button pressed: idOk, idYes or idNo. Headless, returns idOk for an
// OK box and idNo for a Yes/No box without waiting.
int messageBox(WindowHandle owner, const char* text, const char* caption, unsigned style);

// From now on every box goes to stderr, for tools that never want a dialog.
void suppressDialogs();

// True when boxes go to stderr: no display, an offscreen or dummy video driver, or
// ORBEK42_NO_DIALOGS set in the environment.
bool dialogsSuppressed();

}  // namespace platform
