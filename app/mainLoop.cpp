// The main loop: drain every queued message before drawing, draw only while active, pace to 25
// frames per second and swap. It ends on a quit message, on Escape, or when the show is over. A
// frame to hold (for comparisons) stops the drawing there, while Escape and messages still work.
// Only a quit message carries an exit code: ending by Escape or by the show's end is a success, not
// the code of whatever key or message happened to be removed last.
#include "app/mainLoop.h"

#include <cstdio>

#include "app/GLWindow.h"
#include "app/limitFrameRate.h"
#include "platform/Keys.h"
#include "show/ShowConstants.h"

std::uintptr_t runMainLoop(const DemoEntryPoints& demo, long holdFrame) {
    platform::Message message{};
    std::uintptr_t exitCode = 0;
    bool done = false;
    long framesDrawn = 0;
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
        // Once the frame to hold has been presented, nothing is drawn or swapped any more: it
        // stays on the screen.
        const bool held = holdFrame >= 0 && framesDrawn > holdFrame;
        bool showGoesOn = true;
        if (active && !held) {
            showGoesOn = demo.drawFrame(demo.context);
            ++framesDrawn;
        }
        if ((active && !showGoesOn) || keys[platform::vkEscape]) {
            done = true;
        } else {
            limitFrameRate(show::framesPerSecond);
            if (!held) {
                platform::swapBuffers(deviceContext);
                // Whoever compares the screen with a still learns when it is time.
                if (framesDrawn == holdFrame + 1) {
                    std::printf("orbek42: holding frame %ld\n", holdFrame);
                    std::fflush(stdout);
                }
            }
        }
    }
    return exitCode;
}
