// Opening and closing the demo's window as a pair.
#include "app/DemoWindow.h"

#include "app/GLWindow.h"
#include "show/ShowConstants.h"

bool DemoWindow::open(bool fullscreenFlag) {
    return open(fullscreenFlag, show::screenWidth, show::screenHeight);
}

bool DemoWindow::open(bool fullscreenFlag, int width, int height) {
    close();
    opened =
        createGLWindow(show::windowTitle, width, height, show::screenBits, fullscreenFlag, demo);
    return opened;
}

void DemoWindow::close() {
    if (!opened) return;
    opened = false;
    demo.shutdownDemo(demo.context);
    killGLWindow();
}
