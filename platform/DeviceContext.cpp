// Device contexts of the windows the program keeps itself: one per window, made on first use and
// freed with the window, and the one pixel format such a system offers.
#include "platform/WindowRegistry.h"

namespace platform {

DeviceContext getDC(WindowHandle window) {
    if (window == nullptr || !isLiveWindow(window) || window->messageOnly) return nullptr;
    if (window->deviceContext == nullptr) window->deviceContext = new DeviceContextData{window};
    return window->deviceContext;
}

bool releaseDC(WindowHandle window, DeviceContext deviceContext) {
    return window != nullptr && deviceContext != nullptr && isLiveWindow(window) &&
           window->deviceContext == deviceContext;
}

int choosePixelFormat(DeviceContext deviceContext, const PixelFormatDescriptor* descriptor) {
    if (deviceContext == nullptr || descriptor == nullptr) return 0;
    const std::uint32_t needed = pfdDrawToWindow | pfdSupportOpenGL;
    if ((descriptor->dwFlags & needed) != needed || descriptor->iPixelType != pfdTypeRGBA) return 0;
    return 1;  // one format: the system's closest visual to what setPixelFormat asks for
}

}  // namespace platform
