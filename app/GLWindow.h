// The one window the user sees: its class, full-screen mode, pixel format, GL context and
// projection, the window procedure that keeps the key array and the active flag, and teardown.
#pragma once

#include <cstdint>

#include "app/DemoEntryPoints.h"
#include "platform/GLContext.h"
#include "platform/Window.h"

extern bool keys[256];   // true while the key with that virtual-key code is down
extern bool active;      // false while the window is minimised
extern bool fullscreen;  // full-screen mode in force
extern platform::DeviceContext deviceContext;  // the window's drawing surface
extern platform::RenderContext renderContext;
extern platform::WindowHandle mainWindow;
extern platform::ModuleHandle appInstance;

// True when the window, context and demo start-up (demo.initDemo, called last) are all ready;
// false after a message box.
bool createGLWindow(const char* title, int width, int height, int bits, bool fullscreenFlag,
                    const DemoEntryPoints& demo);
// Releases whatever exists, reporting each failed release.
void killGLWindow();
void resizeGLScene(int width, int height);
std::intptr_t windowProc(platform::WindowHandle window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam);
