// The program's entry point: unpack the archive, open the window, run the loop until the show
// ends, Escape or a quit message, then shut down and remove the unpacked files.
#pragma once

#include "app/DemoEntryPoints.h"
#include "app/PlayerOptions.h"

// Runs the whole program with the given demo, the screen taken as the options say; returns the
// process's exit status.
int winMain(const DemoEntryPoints& demo, const PlayerOptions& options = PlayerOptions());
