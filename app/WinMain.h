// The program's entry point and main loop: unpack the archive, open the window, run the loop
// until the show ends, Escape or a quit message, then shut down and remove the unpacked files.
#pragma once

#include <cstdint>

extern char tempFolder[255];          // folder of the unpacked assets, with its trailing separator
extern unsigned tempFolderLength;     // its length; writing a NUL here cuts a path back to the folder

// Runs the message loop until it ends; returns the quit message's exit code, 0 otherwise.
std::uintptr_t runMainLoop();

int winMain();
