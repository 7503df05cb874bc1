// Entry point: make sure there is a display, unpack the archive, open the window (which runs the
// start-up), run the loop, then shut down and tear the window down; the asset folder removes the
// unpacked files on every way out, a termination request during the start-up included.
#include "app/WinMain.h"

#include <cstdio>
#include <string>

#include "app/AssetFolder.h"
#include "app/DemoWindow.h"
#include "app/GLWindow.h"
#include "app/mainLoop.h"
#include "platform/GL.h"
#include "platform/GLContext.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"

namespace {

// A problem found before any window exists: one box, and the program ends with a failure status.
int failBeforeWindow(const std::string& message) {
    platform::messageBox(nullptr, message.c_str(), "ERROR", platform::mbOk | platform::mbIconStop);
    return 1;
}

// The window as the options ask: the show's own (the display switched to 640x480, the picture
// stretched over the window) when none were given, unless the system gives the window a shape of
// its own (a browser page); otherwise the desktop covered at its own resolution or a window of the
// size given. Where the window is not the show's own, the 4:3 picture is fitted between bars.
bool openWindow(DemoWindow* window, const PlayerOptions& options) {
    if (options.screen == PlayerOptions::Screen::asked) {
        setPictureFitted(platform::surfaceSizedBySystem());
        return window->open(fullscreen);
    }
    setPictureFitted(true);
    setDesktopFullscreen(options.screen == PlayerOptions::Screen::fullscreen);
    const int samples = options.supersample * options.supersample;
    platform::requestSamples(samples);
    if (!window->open(fullscreen, options.width, options.height)) return false;
    if (samples > 1) {
        GLint had = 0;
        glGetIntegerv(GL_SAMPLES, &had);
        if (had < samples)
            std::fprintf(stderr,
                         "orbek42: the graphics driver offers no %dx%d multisampling here: the "
                         "show is drawn without it\n",
                         options.supersample, options.supersample);
    }
    return true;
}

}  // namespace

int winMain(const DemoEntryPoints& demo, const PlayerOptions& options) {
    fullscreen = options.screen != PlayerOptions::Screen::windowed;
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
    DemoWindow window(demo);
    if (openWindow(&window, options)) {
        exitCode = static_cast<int>(runMainLoop(demo, options.holdFrame));
        window.close();
    } else if (platform::terminationRequested()) {
        exitCode = platform::terminationExitCode();
    }
    return exitCode;
}
