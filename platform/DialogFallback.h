// What every system's message boxes share: the request that no box wait for a click, and the
// stderr line that stands in for a box then.
#pragma once

namespace platform {

// True once suppressDialogs() was called or when ORBEK42_NO_DIALOGS is set (and not "0").
bool dialogsSuppressedOnRequest();

// Prints "CAPTION: text" to stderr and returns the box's default answer: idNo for a Yes/No box,
// idOk otherwise.
int printDialog(const char* text, const char* caption, unsigned style);

}  // namespace platform
