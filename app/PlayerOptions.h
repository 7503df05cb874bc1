// The program's command line: how the show takes the screen, and the options for comparing its
// frames. Without options it plays as it always has: it switches the display to 640x480 and asks
// about a window when that mode cannot be had.
#pragma once

#include <string>

struct PlayerOptions {
    enum class Screen {
        asked,       // no option: the display switched to 640x480, the picture stretched
        fullscreen,  // --fullscreen: the whole desktop at its own resolution, no mode change
        windowed,    // --windowed or --size: a window, 640x480 unless --size says otherwise
    };
    Screen screen = Screen::asked;
    int width = 640;  // --size WxH: the window's inside; the 4:3 picture is centred in it
    int height = 480;
    int supersample = 1;  // --supersample N: N x N samples a pixel where the driver offers them
    long holdFrame = -1;  // --hold-frame N: frame N (counted from 0) stays on screen; -1: none
    bool help = false;
    bool version = false;
};

// Fills options from the arguments; false with a message in *error when they make no sense.
bool parsePlayerOptions(int argc, char** argv, PlayerOptions* options, std::string* error);

extern const char* const playerUsage;
