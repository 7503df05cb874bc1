// The page around the canvas, as the program sees it (Page.js): the show clock and waiting on it,
// visibility, the frames the show reaches and the one tests hold, the canvas's displayed size,
// message display, cursor and full screen.
#pragma once

extern "C" {
int pageExists();
double pageClockNow();
void pageSleep(double ms);
void pageVisibilityChanged(int hidden);
int pageHoldFrame();
void pageShowFrameDone(int frame, int presented);
void pageFrameHeld(int frame, int held);
void pageWatchCanvas();
int pageCanvasPixels(int* width, int* height);
void pageShowMessage(const char* text, const char* caption);
void pageShowCursor(int show);
void pageLeaveFullscreen();
}
