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
// Framebuffer pixels per pixel of the show's own 640x480 picture, each way (1 in the show's own
// window): whatever is sized in pixels, the particles' points, is drawn that much larger.
extern float pixelScale;

// True when the window, context and demo start-up (demo.initDemo, called last) are all ready;
// false after a message box.
bool createGLWindow(const char* title, int width, int height, int bits, bool fullscreenFlag,
                    const DemoEntryPoints& demo);
// Releases whatever exists, reporting each failed release.
void killGLWindow();
// The viewport and projection for a drawing surface of width x height pixels; see
// setPictureFitted for where the picture goes.
void resizeGLScene(int width, int height);
// Off (as the show's own window is): the picture fills the whole surface and takes its aspect.
// On: the largest 4:3 picture that fits is drawn centred, the bars around it left as cleared, and
// pixelScale and the particles' point size follow the picture's size. Takes effect at the next
// resizeGLScene.
void setPictureFitted(bool fitted);
// Off (the show's own way): a full-screen window switches the display to the window's size. On:
// it covers the whole desktop at the desktop's own resolution, without a mode change, and takes
// that size. For windows made after it.
void setDesktopFullscreen(bool onDesktop);
std::intptr_t windowProc(platform::WindowHandle window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam);
