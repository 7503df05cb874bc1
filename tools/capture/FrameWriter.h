// The second half of every captured frame on a thread of its own: while the renderer draws the
// next frame, the last one is filtered down, piped to the encoder and saved as a still. Two
// buffers take turns, so the renderer waits only when the writer falls a whole frame behind.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/capture/FrameComposer.h"
#include "tools/capture/VideoEncoder.h"

class FrameWriter {
public:
    // video may be null when only stills are written.
    FrameWriter(const FrameLayout& layout, VideoEncoder* video);
    ~FrameWriter();
    FrameWriter(const FrameWriter&) = delete;
    FrameWriter& operator=(const FrameWriter&) = delete;

    // A buffer of the rendered picture's size (BGRA) to read the next frame into, once the writer
    // is done with it; null after the writer failed.
    unsigned char* nextBuffer();
    // Hands the buffer over: to the video when toVideo, to a PNG file when pngPath is not empty.
    void submit(bool toVideo, const std::string& pngPath);
    // Waits for every frame handed over; empty on success, else what went wrong first.
    std::string finish();

    // Seconds the writer spent filtering, piping to the encoder (waiting on it included) and
    // saving stills.
    double filterSeconds = 0, encodeSeconds = 0, stillSeconds = 0;
    // Seconds the renderer waited for a free buffer.
    double waitSeconds = 0;

private:
    struct Slot {
        std::vector<unsigned char> pixels;
        bool full = false;
        bool toVideo = false;
        std::string pngPath;
    };

    void run();
    void write(Slot& slot);

    FrameComposer composer;
    const FrameLayout layout;
    VideoEncoder* video;
    std::vector<unsigned char> frame;
    Slot slots[2];
    int nextFill = 0;
    bool stopping = false;
    std::string problem;
    std::mutex mutex;
    std::condition_variable changed;
    std::thread thread;
};
