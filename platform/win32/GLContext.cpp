// Display mode, pixel format, GL context and buffer swaps on Win32: ChangeDisplaySettingsA,
// ChoosePixelFormat/SetPixelFormat with the caller's descriptor, and WGL. The platform descriptor
// has the system's layout, so it is handed over field for field.
#include <cstring>

#include "platform/win32/Win32Handles.h"

namespace platform {

static_assert(sizeof(PixelFormatDescriptor) == sizeof(PIXELFORMATDESCRIPTOR),
              "one layout for both descriptors");
static_assert(PFD_DRAW_TO_WINDOW == pfdDrawToWindow && PFD_SUPPORT_OPENGL == pfdSupportOpenGL &&
                  PFD_DOUBLEBUFFER == pfdDoubleBuffer && PFD_TYPE_RGBA == pfdTypeRGBA &&
                  PFD_MAIN_PLANE == pfdMainPlane,
              "the descriptor's flags carry the system's values");
static_assert(DISP_CHANGE_SUCCESSFUL == displayChangeSuccessful &&
                  DISP_CHANGE_FAILED == displayChangeFailed,
              "display change results pass straight through");

namespace {

PIXELFORMATDESCRIPTOR toSystem(const PixelFormatDescriptor* descriptor) {
    PIXELFORMATDESCRIPTOR system;
    std::memcpy(&system, descriptor, sizeof system);
    return system;
}

}  // namespace

int changeDisplaySettings(int width, int height, int bits) {
    DEVMODEA mode;
    std::memset(&mode, 0, sizeof mode);
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(bits);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return static_cast<int>(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN));
}

// A borderless window over the whole primary monitor, which keeps its mode: a popup of the
// screen's size at its top left corner.
bool coverDesktop(int* width, int* height) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (screenWidth <= 0 || screenHeight <= 0) return false;
    *width = screenWidth;
    *height = screenHeight;
    return true;
}

// The classic pixel format has no samples; formats with them come only through the
// WGL_ARB_pixel_format extension, which this build does not use: windows are made without.
void requestSamples(int) {}

void restoreDisplaySettings() {
    ChangeDisplaySettingsA(nullptr, 0);
}

int showCursor(bool show) {
    return ShowCursor(show ? TRUE : FALSE);
}

DeviceContext getDC(WindowHandle window) {
    if (window == nullptr) return nullptr;
    return fromHdc(GetDC(toHwnd(window)));
}

bool releaseDC(WindowHandle window, DeviceContext deviceContext) {
    return deviceContext != nullptr && ReleaseDC(toHwnd(window), toHdc(deviceContext)) == 1;
}

int choosePixelFormat(DeviceContext deviceContext, const PixelFormatDescriptor* descriptor) {
    if (deviceContext == nullptr || descriptor == nullptr) return 0;
    const PIXELFORMATDESCRIPTOR system = toSystem(descriptor);
    return ChoosePixelFormat(toHdc(deviceContext), &system);
}

bool setPixelFormat(DeviceContext deviceContext, int format,
                    const PixelFormatDescriptor* descriptor) {
    if (deviceContext == nullptr || descriptor == nullptr) return false;
    const PIXELFORMATDESCRIPTOR system = toSystem(descriptor);
    return SetPixelFormat(toHdc(deviceContext), format, &system) != FALSE;
}

RenderContext createContext(DeviceContext deviceContext) {
    if (deviceContext == nullptr) return nullptr;
    return fromHglrc(wglCreateContext(toHdc(deviceContext)));
}

bool makeCurrent(DeviceContext deviceContext, RenderContext renderContext) {
    return wglMakeCurrent(toHdc(deviceContext), toHglrc(renderContext)) != FALSE;
}

bool deleteContext(RenderContext renderContext) {
    return renderContext != nullptr && wglDeleteContext(toHglrc(renderContext)) != FALSE;
}

bool swapBuffers(DeviceContext deviceContext) {
    return deviceContext != nullptr && SwapBuffers(toHdc(deviceContext)) != FALSE;
}

bool hasCurrentContext() {
    return wglGetCurrentContext() != nullptr;
}

}  // namespace platform
