// The browser's GL context for the web build: a WebGL 1 canvas context that the GL 1.1 layer of
// platform/web/gl draws through. The window code calls these; the drawing code only sees GL.
#pragma once

// Creates a WebGL 1 context on the canvas matched by canvasSelector (for example "#canvas"): depth
// buffer, no alpha, no antialiasing, drawing buffer kept between frames so it can be read back.
// Makes it current and hands it to the fixed-function emulation. False when WebGL is unavailable.
bool webglCreateContext(const char* canvasSelector);

// Destroys the context made by webglCreateContext; nothing happens without one.
void webglDestroyContext();

// Ends a frame: draws what the GL layer still holds back (gathered points) and rotates the
// emulation's vertex buffers. The caller then yields to the browser, which presents the canvas.
void webglEndFrame();

// Draw calls handed to WebGL since the context was made: for tests and frame statistics.
unsigned long webglDrawCount();

// Whether consecutive point batches are drawn together (on by default). Tests compare both ways.
void webglSetPointGathering(bool on);
