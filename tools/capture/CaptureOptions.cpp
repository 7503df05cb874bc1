// Parsing the capture tool's arguments.
#include "tools/capture/CaptureOptions.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <cstdlib>
#include <cstring>

const char* const captureUsage =
    "usage: orbek42-capture [--archive data.dat] [--timeline] [--stats]\n"
    "                       [--video FILE [--crf Q] [--preset NAME] [--from F] [--to F]]\n"
    "                       [--video FILE.mkv --lossless [--from F] [--to F]]\n"
    "                       [--png DIR --frames LIST] [--size WxH] [--supersample N]\n"
    "                       [--max-frames N]\n"
    "\n"
    "Plays the demo offscreen, one frame per 1/25 s of video time, without pacing, with the music\n"
    "treated as started at once, and writes what is asked:\n"
    "  --timeline       one line per scene with its frame count, then the total\n"
    "  --video FILE     H.264 and AAC in MP4 at 25 fps, with the soundtrack (needs ffmpeg)\n"
    "  --crf Q          the H.264 quality, 0 (best) to 51; 20 unless given\n"
    "  --preset NAME    the H.264 encoder's speed, ultrafast to veryslow; veryfast unless given\n"
    "                   (at 3840x2160 ultrafast saves about a quarter of the processor time\n"
    "                   for files two to three times as large)\n"
    "  --lossless       FFV1 and FLAC in Matroska instead: FILE must end in .mkv\n"
    "  --from F         the video starts at frame F (counted from 0), its sound cut to match\n"
    "  --to F           ... and ends with frame F; the show's last frame unless given\n"
    "  --png DIR        still frames as PNG files DIR/frame-NNNNN.png ...\n"
    "  --frames LIST    ... for these frames, counted from 0: e.g. 0,600,1326-1330\n"
    "  --size WxH       the frame size, even numbers, 640x480 unless given; the show's 4:3\n"
    "                   picture is centred in it between black bars\n"
    "  --supersample N  render N x N pixels for each one written and average them (1 to 4)\n"
    "  --max-frames N   stop after N frames\n"
    "  --stats          where the time goes: rendering, read-back, filtering, encoding, and the\n"
    "                   director's time per frame (p50, p99), for the frames from --from to --to\n"
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
    bool crfGiven = false, presetGiven = false, rangeGiven = false;
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
        } else if (argument == "--size") {
            if (!value(&text)) return false;
            std::size_t x = text.find('x');
            long width = 0, height = 0;
            if (x == std::string::npos || !parseNumber(text.substr(0, x), &width) ||
                !parseNumber(text.substr(x + 1), &height) || width < 32 || height < 32 ||
                width > 8192 || height > 8192 || width % 2 != 0 || height % 2 != 0) {
                *error =
                    "--size takes WIDTHxHEIGHT in even numbers from 32 to 8192, e.g. 1920x1080";
                return false;
            }
            options->width = static_cast<int>(width);
            options->height = static_cast<int>(height);
        } else if (argument == "--supersample") {
            long factor = 0;
            if (!value(&text)) return false;
            if (!parseNumber(text, &factor) || factor < 1 || factor > 4) {
                *error = "--supersample takes 1, 2, 3 or 4";
                return false;
            }
            options->supersample = static_cast<int>(factor);
        } else if (argument == "--crf") {
            long quality = 0;
            if (!value(&text)) return false;
            if (!parseNumber(text, &quality) || quality > 51) {
                *error = "--crf takes a quality from 0 (best) to 51";
                return false;
            }
            options->crf = static_cast<int>(quality);
            crfGiven = true;
        } else if (argument == "--preset") {
            if (!value(&options->preset)) return false;
            const char* const presets[] = {"ultrafast", "superfast", "veryfast", "faster",  "fast",
                                           "medium",    "slow",      "slower",   "veryslow"};
            if (std::find(std::begin(presets), std::end(presets), options->preset) ==
                std::end(presets)) {
                *error =
                    "--preset takes ultrafast, superfast, veryfast, faster, fast, medium, "
                    "slow, slower or veryslow";
                return false;
            }
            presetGiven = true;
        } else if (argument == "--lossless") {
            options->lossless = true;
        } else if (argument == "--from" || argument == "--to") {
            long frame = 0;
            if (!value(&text)) return false;
            if (!parseNumber(text, &frame)) {
                *error = argument + " takes a frame number, counted from 0";
                return false;
            }
            (argument == "--from" ? options->from : options->to) = frame;
            rangeGiven = true;
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
    const bool video = !options->videoPath.empty();
    if ((crfGiven || presetGiven || options->lossless) && !video) {
        *error = "--crf, --preset and --lossless go with --video";
        return false;
    }
    if ((crfGiven || presetGiven) && options->lossless) {
        *error = "--lossless has no quality or speed to choose: drop --crf and --preset";
        return false;
    }
    const std::string mkv = ".mkv";
    if (options->lossless && (options->videoPath.size() <= mkv.size() ||
                              options->videoPath.compare(options->videoPath.size() - mkv.size(),
                                                         mkv.size(), mkv) != 0)) {
        *error = "--lossless writes Matroska: name the video FILE.mkv";
        return false;
    }
    if (rangeGiven && !video && !options->stats) {
        *error = "--from and --to go with --video or --stats";
        return false;
    }
    if (options->to >= 0 && options->to < options->from) {
        *error = "--to must not come before --from";
        return false;
    }
    if (!options->timeline && !options->stats && options->videoPath.empty() &&
        options->pngFolder.empty()) {
        *error = "nothing to do: give --timeline, --stats, --video or --png";
        return false;
    }
    return true;
}
