// Frames and the soundtrack into a video file through the ffmpeg program, fed by a pipe: H.264 and
// AAC in MP4, or for archival copies FFV1 and FLAC in Matroska, which keep every pixel and sample.
#pragma once

#include <string>
#include <vector>

#include "platform/Process.h"

struct VideoSettings {
    std::string outputPath;
    std::string soundtrackPath;
    int width = 0, height = 0;
    int framesPerSecond = 25;
    int crf = 20;                     // H.264 quality when not lossless
    std::string preset = "veryfast";  // and its speed
    bool lossless = false;            // FFV1 + FLAC in Matroska
    double soundStart = 0;            // where in the soundtrack the first frame is, in seconds
    double soundLength = 0;  // how much of it to keep; 0 for all (the video's end still cuts it)
};

class VideoEncoder {
public:
    // Starts ffmpeg. False with a message in error.
    bool start(const VideoSettings& settings, std::string* error);
    // One frame of RGB rows, top row first.
    bool addFrame(const std::vector<unsigned char>& rgb);
    // Finishes the file; false when ffmpeg failed.
    bool finish(std::string* error);

private:
    platform::OutputPipe pipe;
};
