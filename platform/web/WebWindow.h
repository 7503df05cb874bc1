// What a window is in the browser implementation; shared by the message queue, the GL context and
// the page code. Internal to platform/web: nothing outside this folder may include it.
#pragma once

#include <string>

#include "platform/GLContext.h"
#include "platform/Window.h"

namespace platform {

struct Window {
    std::string className;
    WindowProc procedure = nullptr;
    std::string title;
    bool messageOnly = false;
    int width = 0, height = 0;
    DeviceContext deviceContext = nullptr;
};

struct DeviceContextData {
    Window* window;
};

struct RenderContextData {
    Window* window;
};

// The page's one canvas: every window that is shown draws there.
constexpr const char* canvasSelector = "#canvas";

// Live windows only; a message for a window that is gone is dropped.
bool isLiveWindow(const Window* window);
// Queues a message straight away: there are no other threads, so nothing needs to be woken.
void queueMessage(Window* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace platform
