// Parsing the program's arguments through the option table the capture tool shares.
#include "app/PlayerOptions.h"

#include <vector>

#include "app/CommandLine.h"

const char* const playerUsage =
    "usage: orbek42 [--fullscreen | --windowed] [--size WxH] [--supersample N]\n"
    "               [--hold-frame N]\n"
    "       orbek42 --help | --version\n"
    "\n"
    "Plays the demo. Without options it switches the display to 640x480 for the show and asks\n"
    "whether to play in a window when that mode cannot be had.\n"
    "  --fullscreen     the whole screen at the desktop's own resolution, no mode change: the\n"
    "                   show's 4:3 picture centred between black bars\n"
    "  --windowed       a 640x480 window\n"
    "  --size WxH       a window of that size, even numbers from 32 to 8192; the picture is\n"
    "                   centred in it between black bars, as orbek42-capture --size places it\n"
    "  --supersample N  smooth edges with N x N samples a pixel (1 to 4) where the graphics\n"
    "                   driver offers that many; elsewhere the show is drawn without, and says so\n"
    "  --hold-frame N   stop the show at frame N (counted from 0, 25 a second) and keep it on the\n"
    "                   screen until Escape, saying so on stdout: for comparing the window with\n"
    "                   orbek42-capture's still of the same frame\n"
    "  --help           this text\n"
    "  --version        the program's version\n"
    "Escape ends the show. Exit status 0 when it ended, 1 when it could not play, 2 for options\n"
    "that make no sense.\n";

namespace {

std::vector<OptionRule> playerRules(PlayerOptions* o, bool* sizeGiven, int* screens) {
    auto flag = [](bool* target) {
        return [target](const std::string&, std::string*) { return *target = true; };
    };
    auto screen = [o, screens](PlayerOptions::Screen chosen) {
        return [o, screens, chosen](const std::string&, std::string*) {
            if (o->screen != chosen) ++*screens;
            o->screen = chosen;
            return true;
        };
    };
    OptionRule size = sizeRule(&o->width, &o->height);
    auto storeSize = size.store;
    size.store = [storeSize, sizeGiven](const std::string& value, std::string* error) {
        return storeSize(value, error) && (*sizeGiven = true);
    };
    return {
        {"--help", false, flag(&o->help)},
        {"-h", false, flag(&o->help)},
        {"--version", false, flag(&o->version)},
        {"--fullscreen", false, screen(PlayerOptions::Screen::fullscreen)},
        {"--windowed", false, screen(PlayerOptions::Screen::windowed)},
        size,
        supersampleRule(&o->supersample),
        {"--hold-frame", true,
         [o](const std::string& value, std::string* error) {
             if (parseWholeNumber(value, &o->holdFrame)) return true;
             *error = "--hold-frame takes a frame number, counted from 0";
             return false;
         }},
    };
}

}  // namespace

bool parsePlayerOptions(int argc, char** argv, PlayerOptions* options, std::string* error) {
    bool sizeGiven = false;
    int screens = 0;
    if (!parseCommandLine(argc, argv, playerRules(options, &sizeGiven, &screens), error))
        return false;
    if (options->help || options->version) return true;
    if (screens > 1) {
        *error = "--fullscreen and --windowed: give one of them";
        return false;
    }
    if (sizeGiven && options->screen == PlayerOptions::Screen::fullscreen) {
        *error = "--size is for a window; --fullscreen takes the desktop's own size";
        return false;
    }
    if (sizeGiven) options->screen = PlayerOptions::Screen::windowed;
    return true;
}
