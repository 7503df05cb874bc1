// Frames and the soundtrack into an H.264 MP4 through the ffmpeg program, fed by a pipe.
#pragma once

#include <string>
#include <vector>

#include "platform/Process.h"

class VideoEncoder {
public:
    // Starts ffmpeg; the soundtrack starts with the first frame. False with a message in error.
    bool start(const std::string& outputPath, const std::string& soundtrackPath, int width,
               int height, int framesPerSecond, std::string* error);
    // One frame of RGB rows, bottom row first (as GL reads them).
    bool addFrame(const std::vector<unsigned char>& bottomUpRgb);
    // Finishes the file; false when ffmpeg failed.
    bool finish(std::string* error);

private:
    platform::OutputPipe pipe_;
};
