// Windows, window classes and the message queue kept by the program itself, for systems with no
// queue of their own to mirror (SDL, the browser). Each system supplies the calls at the end.
// Internal to the platform layer: nothing outside platform/ may include it.
#pragma once

#include <set>
#include <string>

#include "platform/GLContext.h"
#include "platform/Window.h"

namespace platform {

struct Window {
    std::string className;
    WindowProc procedure = nullptr;
    std::string title;
    bool messageOnly = false;
    bool popup = false;
    bool minimised = false;
    int x = 0, y = 0, width = 0, height = 0;
    void* native = nullptr;  // the system's own window, where it makes one
    DeviceContext deviceContext = nullptr;
};

struct DeviceContextData {
    Window* window;
};

// Live windows only; a message for a window that is gone is dropped.
bool isLiveWindow(const Window* window);
const std::set<const Window*>& liveWindows();
// Queues a message behind those already translated; main thread only.
void queueMessage(Window* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

// Supplied by each system.
// Starts what windows that can be shown need; false when the system cannot show any.
bool ensureVideo();
// Translates the system's waiting events into queued messages.
void pumpSystemEvents();
// Hands the system a short while for events to arrive.
void waitForSystemEvents();
// A termination requested from outside, as the msgQuit to return; false when there is none. The
// request stays in force, so no wait anywhere can outlast it.
bool takeTermination(Message* message);
// Frees what the system made for a window that is being destroyed.
void destroySystemWindow(Window* window);

}  // namespace platform
