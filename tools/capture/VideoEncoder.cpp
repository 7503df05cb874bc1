// ffmpeg reads raw RGB frames from its standard input; GL hands rows bottom-up, so ffmpeg flips.
#include "tools/capture/VideoEncoder.h"

bool VideoEncoder::start(const std::string& outputPath, const std::string& soundtrackPath,
                         int width, int height, int framesPerSecond, std::string* error) {
    if (!platform::programExists("ffmpeg")) {
        *error = "ffmpeg is not installed (Debian package ffmpeg); it is needed for --video";
        return false;
    }
    std::string command =
        "ffmpeg -hide_banner -loglevel error -nostdin -y -f rawvideo -pixel_format rgb24";
    command += " -video_size " + std::to_string(width) + "x" + std::to_string(height);
    command += " -framerate " + std::to_string(framesPerSecond) + " -i -";
    command += " -i " + platform::quoteArgument(soundtrackPath);
    command +=
        " -map 0:v -map 1:a? -vf vflip -c:v libx264 -preset veryfast -crf 20 -pix_fmt yuv420p";
    command +=
        " -c:a aac -b:a 160k -shortest -movflags +faststart " + platform::quoteArgument(outputPath);
    if (!pipe_.open(command)) {
        *error = "cannot start ffmpeg";
        return false;
    }
    return true;
}

bool VideoEncoder::addFrame(const std::vector<unsigned char>& bottomUpRgb) {
    return pipe_.write(bottomUpRgb.data(), bottomUpRgb.size());
}

bool VideoEncoder::finish(std::string* error) {
    int status = pipe_.close();
    if (status != 0) {
        *error = "ffmpeg failed (exit status " + std::to_string(status) + ")";
        return false;
    }
    return true;
}
