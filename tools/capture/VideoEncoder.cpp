// ffmpeg reads raw RGB frames from its standard input and the soundtrack from its file, cut with
// -ss/-t on that input alone so the sound of a range starts with its first frame.
#include "tools/capture/VideoEncoder.h"

#include <cstdio>

namespace {

std::string seconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

}  // namespace

bool VideoEncoder::start(const VideoSettings& settings, std::string* error) {
    if (!platform::programExists("ffmpeg")) {
        *error = "ffmpeg is not installed (Debian package ffmpeg); it is needed for --video";
        return false;
    }
    std::string command =
        "ffmpeg -hide_banner -loglevel error -nostdin -y -f rawvideo -pixel_format rgb24";
    command +=
        " -video_size " + std::to_string(settings.width) + "x" + std::to_string(settings.height);
    command += " -framerate " + std::to_string(settings.framesPerSecond) + " -i -";
    if (settings.soundStart > 0) command += " -ss " + seconds(settings.soundStart);
    if (settings.soundLength > 0) command += " -t " + seconds(settings.soundLength);
    command += " -i " + platform::quoteArgument(settings.soundtrackPath);
    command += " -map 0:v -map 1:a?";
    if (settings.lossless) {
        // Every frame a key frame in slices with checksums: an archival copy survives damage and
        // cuts anywhere. Planar RGB keeps the colours exactly as rendered.
        command += " -c:v ffv1 -level 3 -g 1 -slices 4 -slicecrc 1 -pix_fmt gbrp";
        command += " -c:a flac -f matroska";
    } else {
        command += " -c:v libx264 -preset " + settings.preset + " -crf " +
                   std::to_string(settings.crf) +
                   " -pix_fmt yuv420p -c:a aac -b:a 160k -movflags +faststart";
    }
    command += " -shortest " + platform::quoteArgument(settings.outputPath);
    if (!pipe.open(command)) {
        *error = "cannot start ffmpeg";
        return false;
    }
    return true;
}

bool VideoEncoder::addFrame(const std::vector<unsigned char>& rgb) {
    return pipe.write(rgb.data(), rgb.size());
}

bool VideoEncoder::finish(std::string* error) {
    int status = pipe.close();
    if (status != 0) {
        *error = "ffmpeg failed (exit status " + std::to_string(status) + ")";
        return false;
    }
    return true;
}
