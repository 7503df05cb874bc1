// The demo's start-up and shutdown, handed to the shell with the director's frame as the demo's
// entry points (app/DemoEntryPoints.h).
#pragma once

// Loads every asset, creates every object and starts the music; true when the demo can run.
bool initDemo();
// Destroys the demo objects, stops the music if the run was ended with Escape, closes the sequence.
void shutdownDemo();
// Opens seq1.dat from the temporary folder. A missing file reads as an exhausted one.
bool openSequence();
