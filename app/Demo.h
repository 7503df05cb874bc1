// The demo's start-up and shutdown, called by the window creation and by the entry point.
#pragma once

// Loads every asset, creates every object and starts the music; true when the demo can run.
bool initDemo();
// Destroys the demo objects, stops the music if the run was ended with Escape, closes the sequence.
void shutdownDemo();
