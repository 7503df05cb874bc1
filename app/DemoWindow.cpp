// Opening and closing the demo's window as a pair.
#include "app/DemoWindow.h"

#include "app/GLWindow.h"
#include "show/ShowConstants.h"

bool DemoWindow::open(bool fullscreenFlag) {
    close();
    opened = createGLWindow(show::windowTitle, show::screenWidth, show::screenHeight,
                            show::screenBits, fullscreenFlag, demo);
    return opened;
}

void DemoWindow::close() {
    if (!opened) return;
    opened = false;
    demo.shutdownDemo(demo.context);
    killGLWindow();
}
