// The capture tool's command line.
#pragma once

#include <set>
#include <string>

struct CaptureOptions {
    bool timeline = false;
    std::string videoPath;     // --video FILE.mp4
    std::string pngFolder;     // --png DIR
    std::set<long> pngFrames;  // --frames LIST
    long maxFrames = -1;       // --max-frames N: stop after N frames; -1 for the whole show
    std::string archivePath;   // --archive PATH; empty: data.dat here, else beside the program
    bool stats = false;        // --stats: the director's time per frame
    bool help = false;
};

// Fills options from the arguments; false with a message in error when they make no sense.
bool parseCaptureOptions(int argc, char** argv, CaptureOptions* options, std::string* error);

// "0,600,1326-1330" into frame numbers; false on anything else (or a range of over a million).
bool parseFrameList(const std::string& text, std::set<long>* frames);

extern const char* const captureUsage;
