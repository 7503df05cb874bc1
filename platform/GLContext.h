// The full-screen display mode, the pixel format, the OpenGL rendering context and buffer swaps of
// a window made with platform/Window.h. The steps mirror the system's so callers release exactly
// what they built.
#pragma once

#include <cstdint>

#include "platform/Window.h"

namespace platform {

struct DeviceContextData;
using DeviceContext = DeviceContextData*;
struct RenderContextData;
using RenderContext = RenderContextData*;

// The pixel format request, field for field as the system lays it out.
struct PixelFormatDescriptor {
    std::uint16_t nSize;
    std::uint16_t nVersion;
    std::uint32_t dwFlags;
    std::uint8_t iPixelType;
    std::uint8_t cColorBits;
    std::uint8_t cRedBits, cRedShift, cGreenBits, cGreenShift, cBlueBits, cBlueShift;
    std::uint8_t cAlphaBits, cAlphaShift;
    std::uint8_t cAccumBits, cAccumRedBits, cAccumGreenBits, cAccumBlueBits, cAccumAlphaBits;
    std::uint8_t cDepthBits;
    std::uint8_t cStencilBits;
    std::uint8_t cAuxBuffers;
    std::uint8_t iLayerType;
    std::uint8_t bReserved;
    std::uint32_t dwLayerMask, dwVisibleMask, dwDamageMask;
};
static_assert(sizeof(PixelFormatDescriptor) == 40, "the descriptor is 40 bytes");

constexpr std::uint32_t pfdDrawToWindow = 0x04;
constexpr std::uint32_t pfdSupportOpenGL = 0x20;
constexpr std::uint32_t pfdDoubleBuffer = 0x01;
constexpr std::uint8_t pfdTypeRGBA = 0;
constexpr std::uint8_t pfdMainPlane = 0;

constexpr int displayChangeSuccessful = 0;
constexpr int displayChangeFailed = -1;

// Switches the display to width x height at bits per pixel for full-screen windows made after it.
int changeDisplaySettings(int width, int height, int bits);
// Instead of a mode change: full-screen windows made after it cover the whole desktop at its own
// resolution, which goes to width and height. False when that cannot be found.
bool coverDesktop(int* width, int* height);
// Back to the desktop's own mode (and windows no longer cover the desktop).
void restoreDisplaySettings();
// Windows whose pixel format is set after it get that many samples a pixel (multisampling) where
// the driver offers them, and none otherwise; 0 or 1 asks for none. What a window got can be read
// with glGetIntegerv(GL_SAMPLES) once its context is current.
void requestSamples(int samples);
// Shows or hides the mouse cursor over our windows; returns the new display count as the system
// does.
int showCursor(bool show);

DeviceContext getDC(WindowHandle window);
bool releaseDC(WindowHandle window, DeviceContext deviceContext);
// The closest format the system offers to the request (1 or more), or 0 when none fits.
int choosePixelFormat(DeviceContext deviceContext, const PixelFormatDescriptor* descriptor);
bool setPixelFormat(DeviceContext deviceContext, int format,
                    const PixelFormatDescriptor* descriptor);
RenderContext createContext(DeviceContext deviceContext);
// Null for both releases the current context.
bool makeCurrent(DeviceContext deviceContext, RenderContext renderContext);
bool deleteContext(RenderContext renderContext);
bool swapBuffers(DeviceContext deviceContext);

// True where what is drawn reaches the screen as soon as the program gives the system control (a
// browser's canvas), not only at the swap: there a frame is drawn and swapped without a wait
// between them. Natively false: a frame drawn early stays unseen until its swap.
bool drawingShownBeforeSwap();

// A frame of the show that must be shown and then held on screen (a browser test asks the page for
// one, to compare it); -1 when none is. The main loop never steps that frame unseen.
long frameToHold();
// The show has reached frame `showFrame` (counted from its first frame): shown on screen, or, when
// late, stepped unseen. The browser page publishes it and keeps showing the frame to hold until it
// is released, with the show clock stopped; natively nobody listens.
void showFrameDone(long showFrame, bool presented);

// True when this thread has a GL context current (tools and tests load models without one).
bool hasCurrentContext();

}  // namespace platform
