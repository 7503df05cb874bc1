// The main loop: drain every queued message before drawing, draw only while active, pace to 25
// frames per second and swap. It ends on a quit message, on Escape, or when the show is over.
// Only a quit message carries an exit code: ending by Escape or by the show's end is a success, not
// the code of whatever key or message happened to be removed last.
#include "app/mainLoop.h"

#include "app/GLWindow.h"
#include "app/limitFrameRate.h"
#include "platform/Keys.h"
#include "show/ShowConstants.h"

std::uintptr_t runMainLoop(const DemoEntryPoints& demo) {
    platform::Message message{};
    std::uintptr_t exitCode = 0;
    bool done = false;
    while (!done) {
        if (platform::peekMessage(&message)) {
            if (message.message == platform::msgQuit) {
                exitCode = message.wParam;
                done = true;
            } else {
                platform::translateMessage(&message);
                platform::dispatchMessage(&message);
            }
            continue;
        }
        bool showGoesOn = true;
        if (active) showGoesOn = demo.drawFrame(demo.context);
        if ((active && !showGoesOn) || keys[platform::vkEscape]) {
            done = true;
        } else {
            limitFrameRate(show::framesPerSecond);
            platform::swapBuffers(deviceContext);
        }
    }
    return exitCode;
}
