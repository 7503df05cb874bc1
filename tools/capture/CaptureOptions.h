// The capture tool's command line.
#pragma once

#include <set>
#include <string>

struct CaptureOptions {
    bool timeline = false;
    std::string videoPath;     // --video FILE.mp4 (FILE.mkv with --lossless)
    std::string pngFolder;     // --png DIR
    std::set<long> pngFrames;  // --frames LIST
    long maxFrames = -1;       // --max-frames N: stop after N frames; -1 for the whole show
    long from = 0;             // --from F: the first frame of the video or the statistics
    long to = -1;              // --to F: their last frame, included; -1 for the show's last
    int width = 640;           // --size WxH: the frame, the 4:3 picture centred in it
    int height = 480;
    int supersample = 1;              // --supersample N: N x N rendered pixels to one
    int crf = 20;                     // --crf Q: H.264 quality, 0 (best) to 51
    std::string preset = "veryfast";  // --preset NAME: the H.264 encoder's speed
    bool lossless = false;            // --lossless: FFV1 and FLAC in Matroska
    std::string archivePath;  // --archive PATH; empty: data.dat here, else beside the program
    bool stats = false;       // --stats: where the time per frame goes
    bool help = false;
};

// Fills options from the arguments; false with a message in error when they make no sense.
bool parseCaptureOptions(int argc, char** argv, CaptureOptions* options, std::string* error);

// "0,600,1326-1330" into frame numbers; false on anything else (or a range of over a million).
bool parseFrameList(const std::string& text, std::set<long>* frames);

extern const char* const captureUsage;
