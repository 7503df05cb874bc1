// Opening and closing the demo's window as a pair.
#include "app/DemoWindow.h"

#include "app/GLWindow.h"
#include "show/ShowConstants.h"

bool DemoWindow::open(bool fullscreenFlag) {
    close();
    open_ = createGLWindow(show::windowTitle, show::screenWidth, show::screenHeight,
                           show::screenBits, fullscreenFlag, demo_);
    return open_;
}

void DemoWindow::close() {
    if (!open_) return;
    open_ = false;
    demo_.shutdownDemo(demo_.context);
    killGLWindow();
}
