// The calls the shell makes into the demo, handed to it as a table by whoever builds the program
// (its entry, the capture tool, the shell's tests), so the shell links against no demo. Each call
// gets the table's context back: whatever state the caller keeps for its run.
#pragma once

struct DemoEntryPoints {
    bool (*initDemo)(void* context);      // once the window and context exist; false: the window
                                          // is torn down (with no message when a termination was
                                          // requested)
    bool (*drawFrame)(void* context);     // one frame; false once the show is over
    void (*shutdownDemo)(void* context);  // after the loop, while the context is still current
    bool (*showUnderWay)(void* context);  // true once the next frame is one of the show's own
                                          // (its first scene, held for the music, has begun or
                                          // begins now); the show clock starts then
    void* context = nullptr;
};
