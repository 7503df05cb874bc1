// The three calls the shell makes into the demo, handed to it as a table by whoever builds the
// program (its entry, the capture tool, the shell's tests), so the shell links against no demo.
#pragma once

struct DemoEntryPoints {
    bool (*initDemo)();      // once the window and context exist; false: the window is torn down
                             // (with no message when a termination was requested)
    bool (*drawFrame)();     // one frame; false once the show is over
    void (*shutdownDemo)();  // after the loop, while the context is still current
};
