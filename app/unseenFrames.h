// Frames drawn with nothing reaching the screen: the scissor box is emptied, so every GL call of
// the frame is still made and GL's state moves on exactly as in a shown frame, but no pixel is
// touched (drivers, and the browser build's GL layer, then skip the drawing work itself).
#pragma once

// From now on (true) or no longer (false), draw nothing to the screen. What the scissor was
// before comes back afterwards; the show itself never uses it.
void drawUnseen(bool unseen);
