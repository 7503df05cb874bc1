// The page around the canvas, as the program sees it (Page.js): animation frames, the frame that
// tests hold, the canvas's displayed size, message display, cursor and full screen.
#pragma once

extern "C" {
int pageExists();
void pageWaitForFrame();
int pageHoldFrame();
void pageFramePresented();
void pageFrameHeld(int frame);
void pageWatchCanvas();
int pageCanvasPixels(int* width, int* height);
void pageShowMessage(const char* text, const char* caption);
void pageShowCursor(int show);
void pageLeaveFullscreen();
}
