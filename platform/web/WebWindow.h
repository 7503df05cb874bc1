// What the browser implementation adds to a window: the page's canvas and its GL context, shared
// by the message queue, the GL context and the page code.
// Internal to platform/web: nothing outside this folder may include it.
#pragma once

#include "platform/WindowRegistry.h"

namespace platform {

struct RenderContextData {
    Window* window;
};

// The page's one canvas: every window that is shown draws there.
constexpr const char* canvasSelector = "#canvas";

}  // namespace platform
