// The main loop: drain every queued message before drawing, draw only while active, and present
// frame n of the show at its due time on the show clock (started when the first scene begins, as
// the music is heard). A frame that is more than one frame late is stepped without being shown, so
// every step still runs in order and the show catches up with its music instead of falling behind
// for good. Between frames the processor is given away, not spent watching the clock. A frame to
// hold (for comparisons) stays on the screen once shown, while Escape and messages still work. It
// ends on a quit message, on Escape, or when the show is over; only a quit message carries an exit
// code.
#include "app/mainLoop.h"

#include <algorithm>
#include <cstdio>

#include "app/GLWindow.h"
#include "app/ShowClock.h"
#include "app/unseenFrames.h"
#include "platform/Clock.h"
#include "platform/GLContext.h"
#include "platform/Keys.h"
#include "show/ShowConstants.h"

namespace {

void swapWindow() {
    platform::swapBuffers(deviceContext);
}

constexpr double period = 1000.0 / show::framesPerSecond;

enum class Presented { yes, notYet, loopEnds };

// Draws the frame due at `due` and presents it then, in the order the system needs: natively the
// frame is drawn first and swapped at its due time. Where drawing shows as soon as the system gets
// control (a browser page) the frame is drawn and swapped in one go once due; until then the loop
// waits and goes round again (draining messages, looking at the clock anew), because that clock
// may stand still while the page waits for its sound. loopEnds when the show is over or Escape is
// down; that frame is not presented.
Presented presentFrame(const DemoEntryPoints& demo, double due, double now) {
    const bool waitFirst = loopServices.drawingShownBeforeSwap();
    if (waitFirst && now < due) {
        if (keys[platform::vkEscape]) return Presented::loopEnds;
        loopServices.waitUntil(due);
        return Presented::notYet;
    }
    const bool showGoesOn = demo.drawFrame(demo.context);
    if (!showGoesOn || keys[platform::vkEscape]) return Presented::loopEnds;
    if (!waitFirst) loopServices.waitUntil(due);
    loopServices.present();
    return Presented::yes;
}

// A late frame: every step of it runs, nothing of it reaches the screen. loopEnds when the show is
// over or Escape is down.
Presented stepUnseen(const DemoEntryPoints& demo) {
    loopServices.drawUnseen(true);
    const bool showGoesOn = demo.drawFrame(demo.context);
    loopServices.drawUnseen(false);
    return showGoesOn && !keys[platform::vkEscape] ? Presented::yes : Presented::loopEnds;
}

}  // namespace

LoopServices loopServices = {
    platform::showClockMilliseconds,  platform::waitUntil, swapWindow,
    platform::drawingShownBeforeSwap, drawUnseen,          platform::frameToHold,
    platform::showFrameDone,
};

std::uintptr_t runMainLoop(const DemoEntryPoints& demo, long holdFrame) {
    ShowClock clock(period);
    double blankDue = 0.0;  // before the show begins: when the next cleared frame is due
    bool holding = false;   // the frame to hold is on the screen: nothing more is drawn
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
        const double now = loopServices.now();
        if (holding) {
            if (keys[platform::vkEscape])
                done = true;
            else
                loopServices.waitUntil(now + period);
            continue;
        }
        if (!active) {
            // Minimised: nothing is drawn while the show clock runs on with the music; on return
            // the late frames are stepped unseen until the picture has caught up.
            if (keys[platform::vkEscape]) {
                done = true;
            } else {
                loopServices.waitUntil(now + period);
                loopServices.present();
            }
            continue;
        }
        if (!clock.isStarted() && demo.showUnderWay(demo.context)) clock.start(now);
        if (!clock.isStarted()) {
            // The show waits for its music: cleared frames at the show's pace meanwhile.
            const double due = std::max(blankDue + period, now);
            const Presented blank = presentFrame(demo, due, now);
            if (blank == Presented::yes) blankDue = due;
            done = blank == Presented::loopEnds;
            continue;
        }
        const long frame = clock.nextFrame();
        const long toHold = holdFrame >= 0 ? holdFrame : loopServices.frameToHold();
        const bool unseen = clock.behind(now) && frame != toHold;
        const Presented shown =
            unseen ? stepUnseen(demo) : presentFrame(demo, clock.dueTime(frame), now);
        if (shown == Presented::notYet) continue;
        if (shown == Presented::loopEnds) {
            done = true;
            continue;
        }
        clock.frameStepped();
        loopServices.showFrameDone(frame, !unseen);
        if (frame == holdFrame) {
            // Whoever compares the screen with a still learns when it is time.
            std::printf("orbek42: holding frame %ld\n", holdFrame);
            std::fflush(stdout);
            holding = true;
        }
    }
    return exitCode;
}
