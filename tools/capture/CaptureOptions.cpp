// Parsing the capture tool's arguments.
#include "tools/capture/CaptureOptions.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "app/CommandLine.h"

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

bool parseFrameList(const std::string& text, std::set<long>* frames) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        std::string item =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        std::size_t dash = item.find('-');
        long first, last;
        if (dash == std::string::npos) {
            if (!parseWholeNumber(item, &first)) return false;
            last = first;
        } else if (!parseWholeNumber(item.substr(0, dash), &first) ||
                   !parseWholeNumber(item.substr(dash + 1), &last) || last < first ||
                   last - first > 1000000) {
            return false;
        }
        for (long frame = first; frame <= last; ++frame) frames->insert(frame);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return !frames->empty();
}

namespace {

// What each option stores, and the checks that need one value alone.
std::vector<OptionRule> captureRules(CaptureOptions* o, bool* crfGiven, bool* presetGiven,
                                     bool* rangeGiven) {
    auto flag = [](bool* target) {
        return [target](const std::string&, std::string*) { return *target = true; };
    };
    auto text = [](std::string* target) {
        return [target](const std::string& value, std::string*) {
            *target = value;
            return true;
        };
    };
    auto frame = [rangeGiven](const char* name, long* target) {
        return [=](const std::string& value, std::string* error) {
            if (!parseWholeNumber(value, target)) {
                *error = std::string(name) + " takes a frame number, counted from 0";
                return false;
            }
            return *rangeGiven = true;
        };
    };
    return {
        {"--help", false, flag(&o->help)},
        {"-h", false, flag(&o->help)},
        {"--stats", false, flag(&o->stats)},
        {"--timeline", false, flag(&o->timeline)},
        {"--lossless", false, flag(&o->lossless)},
        {"--video", true, text(&o->videoPath)},
        {"--png", true, text(&o->pngFolder)},
        {"--archive", true, text(&o->archivePath)},
        {"--frames", true,
         [o](const std::string& value, std::string* error) {
             if (parseFrameList(value, &o->pngFrames)) return true;
             *error = "--frames takes a list such as 0,600,1326-1330";
             return false;
         }},
        sizeRule(&o->width, &o->height),
        supersampleRule(&o->supersample),
        {"--crf", true,
         [o, crfGiven](const std::string& value, std::string* error) {
             long quality = 0;
             if (!parseWholeNumber(value, &quality) || quality > 51) {
                 *error = "--crf takes a quality from 0 (best) to 51";
                 return false;
             }
             o->crf = static_cast<int>(quality);
             return *crfGiven = true;
         }},
        {"--preset", true,
         [o, presetGiven](const std::string& value, std::string* error) {
             const char* const presets[] = {"ultrafast", "superfast", "veryfast", "faster",  "fast",
                                            "medium",    "slow",      "slower",   "veryslow"};
             if (std::find(std::begin(presets), std::end(presets), value) == std::end(presets)) {
                 *error =
                     "--preset takes ultrafast, superfast, veryfast, faster, fast, medium, "
                     "slow, slower or veryslow";
                 return false;
             }
             o->preset = value;
             return *presetGiven = true;
         }},
        {"--from", true, frame("--from", &o->from)},
        {"--to", true, frame("--to", &o->to)},
        {"--max-frames", true,
         [o](const std::string& value, std::string* error) {
             if (parseWholeNumber(value, &o->maxFrames)) return true;
             *error = "--max-frames takes a whole number";
             return false;
         }},
    };
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The checks that need the options together; the message says what to change.
const char* combinationProblem(const CaptureOptions& o, bool crfGiven, bool presetGiven,
                               bool rangeGiven) {
    const bool video = !o.videoPath.empty();
    if (!o.pngFolder.empty() && o.pngFrames.empty()) return "--png needs --frames";
    if (o.pngFolder.empty() && !o.pngFrames.empty()) return "--frames goes with --png";
    if ((crfGiven || presetGiven || o.lossless) && !video)
        return "--crf, --preset and --lossless go with --video";
    if ((crfGiven || presetGiven) && o.lossless)
        return "--lossless has no quality or speed to choose: drop --crf and --preset";
    if (o.lossless && !endsWith(o.videoPath, ".mkv"))
        return "--lossless writes Matroska: name the video FILE.mkv";
    if (rangeGiven && !video && !o.stats) return "--from and --to go with --video or --stats";
    if (o.to >= 0 && o.to < o.from) return "--to must not come before --from";
    if (!o.timeline && !o.stats && !video && o.pngFolder.empty())
        return "nothing to do: give --timeline, --stats, --video or --png";
    return nullptr;
}

}  // namespace

bool parseCaptureOptions(int argc, char** argv, CaptureOptions* options, std::string* error) {
    bool crfGiven = false, presetGiven = false, rangeGiven = false;
    if (!parseCommandLine(argc, argv, captureRules(options, &crfGiven, &presetGiven, &rangeGiven),
                          error))
        return false;
    if (options->help) return true;
    if (const char* problem = combinationProblem(*options, crfGiven, presetGiven, rangeGiven)) {
        *error = problem;
        return false;
    }
    return true;
}
