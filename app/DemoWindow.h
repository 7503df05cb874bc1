// The window with the demo started in it, owned as one: opening makes the GL window, which starts
// the demo last; closing shuts the demo down while its GL context is still current, then tears the
// window down, each exactly once, whichever way the run ends.
#pragma once

#include "app/DemoEntryPoints.h"

class DemoWindow {
public:
    explicit DemoWindow(const DemoEntryPoints& demo) : demo(demo) {}
    ~DemoWindow() { close(); }

    DemoWindow(const DemoWindow&) = delete;
    DemoWindow& operator=(const DemoWindow&) = delete;

    // The show's window (its title, 640x480 unless a size is given, 16 bits) with the demo started
    // in it; false after the window's own message, with nothing left to close.
    bool open(bool fullscreenFlag);
    bool open(bool fullscreenFlag, int width, int height);
    bool isOpen() const { return opened; }
    // The demo's shutdown, then the window's teardown; nothing when it is not open.
    void close();

private:
    DemoEntryPoints demo;
    bool opened = false;
};
