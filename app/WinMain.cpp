// Entry point: make sure there is a display, unpack the archive, open the window (which runs the
// start-up), run the loop, then shut down and tear the window down; the asset folder removes the
// unpacked files on every way out, a termination request during the start-up included.
#include "app/WinMain.h"

#include <string>

#include "app/AssetFolder.h"
#include "app/DemoWindow.h"
#include "app/GLWindow.h"
#include "app/mainLoop.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"

namespace {

// A problem found before any window exists: one box, and the program ends with a failure status.
int failBeforeWindow(const std::string& message) {
    platform::messageBox(nullptr, message.c_str(), "ERROR", platform::mbOk | platform::mbIconStop);
    return 1;
}

}  // namespace

int winMain(const DemoEntryPoints& demo) {
    fullscreen = true;
    if (!platform::initialise())
        return failBeforeWindow("The system's event queue cannot be started.");

    if (!platform::displayAvailable())
        return failBeforeWindow(
            "There is no display to show the demo on. orbek42-capture makes a video of it "
            "instead.");

    // A termination asked for while unpacking or loading ends the run there, not once the main
    // loop starts; the asset folder cleans up on the way out as always.
    AssetFolder assets("data.dat", platform::terminationRequested);
    if (platform::terminationRequested()) return platform::terminationExitCode();
    if (!assets.ready()) return failBeforeWindow(assets.problem());

    // A window or start-up that fails has shown its message; the show never ran, and the exit
    // status says so.
    int exitCode = 1;
    // Where the system gives the window a shape of its own (a browser page), the picture keeps
    // its 4:3 inside it, centred, with its points as large as its pixels.
    setPictureFitted(platform::surfaceSizedBySystem());
    DemoWindow window(demo);
    if (window.open(fullscreen)) {
        exitCode = static_cast<int>(runMainLoop(demo));
        window.close();
    } else if (platform::terminationRequested()) {
        exitCode = platform::terminationExitCode();
    }
    return exitCode;
}
