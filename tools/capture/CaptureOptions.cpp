// Parsing the capture tool's arguments.
#include "tools/capture/CaptureOptions.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

const char* const captureUsage =
    "usage: orbek42-capture [--archive data.dat] [--timeline] [--video FILE.mp4]\n"
    "                       [--png DIR --frames LIST] [--max-frames N]\n"
    "\n"
    "Plays the demo offscreen, one frame per 1/25 s of video time, without pacing, with the music\n"
    "treated as started at once, and writes what is asked:\n"
    "  --timeline       one line per scene with its frame count, then the total\n"
    "  --video FILE     H.264 video, 640x480 at 25 fps, with the soundtrack (needs ffmpeg)\n"
    "  --png DIR        still frames as PNG files DIR/frame-NNNNN.png ...\n"
    "  --frames LIST    ... for these frames, counted from 0: e.g. 0,600,1326-1330\n"
    "  --max-frames N   stop after N frames\n"
    "  --stats          the director's time per frame (p50, p99), rendering finished\n"
    "  --archive PATH   the archive to play (default: data.dat here, else beside this program)\n"
    "Progress goes to stderr. Exit status 0 on success.\n";

namespace {

bool parseNumber(const std::string& text, long* value) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    *value = std::strtol(text.c_str(), nullptr, 10);
    return true;
}

}  // namespace

bool parseFrameList(const std::string& text, std::set<long>* frames) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        std::string item =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        std::size_t dash = item.find('-');
        long first, last;
        if (dash == std::string::npos) {
            if (!parseNumber(item, &first)) return false;
            last = first;
        } else if (!parseNumber(item.substr(0, dash), &first) ||
                   !parseNumber(item.substr(dash + 1), &last) || last < first ||
                   last - first > 1000000) {
            return false;
        }
        for (long frame = first; frame <= last; ++frame) frames->insert(frame);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return !frames->empty();
}

bool parseCaptureOptions(int argc, char** argv, CaptureOptions* options, std::string* error) {
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        auto value = [&](std::string* target) {
            if (i + 1 >= argc) {
                *error = argument + " needs a value";
                return false;
            }
            *target = argv[++i];
            return true;
        };
        std::string text;
        if (argument == "--help" || argument == "-h") {
            options->help = true;
        } else if (argument == "--stats") {
            options->stats = true;
        } else if (argument == "--timeline") {
            options->timeline = true;
        } else if (argument == "--video") {
            if (!value(&options->videoPath)) return false;
        } else if (argument == "--png") {
            if (!value(&options->pngFolder)) return false;
        } else if (argument == "--archive") {
            if (!value(&options->archivePath)) return false;
        } else if (argument == "--frames") {
            if (!value(&text)) return false;
            if (!parseFrameList(text, &options->pngFrames)) {
                *error = "--frames takes a list such as 0,600,1326-1330";
                return false;
            }
        } else if (argument == "--max-frames") {
            if (!value(&text)) return false;
            if (!parseNumber(text, &options->maxFrames)) {
                *error = "--max-frames takes a whole number";
                return false;
            }
        } else {
            *error = "unknown argument " + argument;
            return false;
        }
    }
    if (options->help) return true;
    if (!options->pngFolder.empty() && options->pngFrames.empty()) {
        *error = "--png needs --frames";
        return false;
    }
    if (options->pngFolder.empty() && !options->pngFrames.empty()) {
        *error = "--frames goes with --png";
        return false;
    }
    if (!options->timeline && !options->stats && options->videoPath.empty() &&
        options->pngFolder.empty()) {
        *error = "nothing to do: give --timeline, --stats, --video or --png";
        return false;
    }
    return true;
}
