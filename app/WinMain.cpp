// Entry point: unpack the archive, open the window (which runs the start-up), run the loop, then
// shut down and tear the window down; the asset folder removes the unpacked files on every way out,
// a termination request during the start-up included.
#include "app/WinMain.h"

#include <string>

#include "app/AssetFolder.h"
#include "app/GLWindow.h"
#include "app/mainLoop.h"
#include "director/ShowConstants.h"
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

    // A termination asked for while unpacking or loading ends the run there, not once the main
    // loop starts; the asset folder cleans up on the way out as always.
    AssetFolder assets("data.dat", platform::terminationRequested);
    if (platform::terminationRequested()) return platform::terminationExitCode();
    if (!assets.ready()) return failBeforeWindow(assets.problem());

    int exitCode = 0;
    if (createGLWindow(show::windowTitle, show::screenWidth, show::screenHeight, show::screenBits,
                       fullscreen, demo)) {
        exitCode = static_cast<int>(runMainLoop(demo));
        demo.shutdownDemo();
        killGLWindow();
    } else if (platform::terminationRequested()) {
        exitCode = platform::terminationExitCode();
    }
    return exitCode;
}
