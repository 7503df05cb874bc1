// The show clock in a browser page: the page's clock (Page.js), which keeps to the page's sound and
// stops while the page is hidden or a frame is held, and waits that hand control to the browser
// instead of watching the clock. A wait whose deadline has passed still gives the browser one
// turn, so a show that runs late never keeps the page from showing its frames or answering events.
#include "platform/Clock.h"
#include "platform/web/Page.h"

namespace platform {

double showClockMilliseconds() {
    return pageClockNow();
}

void waitUntil(double deadline) {
    const double left = deadline - pageClockNow();
    pageSleep(left > 0.0 ? left : 0.0);
}

}  // namespace platform
