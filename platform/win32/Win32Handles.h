// What the platform handles are on Win32: the system's own handles, carried in the opaque pointer
// types of the platform headers. Internal to platform/win32: nothing outside this folder may
// include it, because it brings in <windows.h>.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/GLContext.h"
#include "platform/OutlineFont.h"
#include "platform/Thread.h"
#include "platform/Window.h"

namespace platform {

inline HWND toHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
inline WindowHandle fromHwnd(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}
inline HDC toHdc(DeviceContext deviceContext) {
    return reinterpret_cast<HDC>(deviceContext);
}
inline DeviceContext fromHdc(HDC deviceContext) {
    return reinterpret_cast<DeviceContext>(deviceContext);
}
inline HGLRC toHglrc(RenderContext context) {
    return reinterpret_cast<HGLRC>(context);
}
inline RenderContext fromHglrc(HGLRC context) {
    return reinterpret_cast<RenderContext>(context);
}
inline HFONT toHfont(FontHandle font) {
    return reinterpret_cast<HFONT>(font);
}
inline FontHandle fromHfont(HFONT font) {
    return reinterpret_cast<FontHandle>(font);
}
inline HANDLE toHandle(ThreadHandle thread) {
    return reinterpret_cast<HANDLE>(thread);
}
inline ThreadHandle fromHandle(HANDLE thread) {
    return reinterpret_cast<ThreadHandle>(thread);
}

}  // namespace platform
