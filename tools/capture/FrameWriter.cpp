// The writer thread takes the slots in the order they were filled and frees each when done.
#include "tools/capture/FrameWriter.h"

#include <chrono>

#include "tools/png/SavePng.h"

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

FrameWriter::FrameWriter(const FrameLayout& layout, VideoEncoder* video)
    : composer(layout), layout(layout), video(video) {
    thread = std::thread([this] { run(); });
}

FrameWriter::~FrameWriter() {
    finish();
}

unsigned char* FrameWriter::nextBuffer() {
    auto start = std::chrono::steady_clock::now();
    std::unique_lock<std::mutex> lock(mutex);
    Slot& slot = slots[nextFill];
    changed.wait(lock, [&] { return !slot.full || !problem.empty(); });
    waitSeconds += secondsSince(start);
    if (!problem.empty()) return nullptr;
    // Made on first use: a run that writes nothing out needs none, and they can be large.
    slot.pixels.resize(static_cast<std::size_t>(layout.renderWidth()) * layout.renderHeight() * 4);
    return slot.pixels.data();
}

void FrameWriter::submit(bool toVideo, const std::string& pngPath) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        Slot& slot = slots[nextFill];
        slot.full = true;
        slot.toVideo = toVideo;
        slot.pngPath = pngPath;
        nextFill = 1 - nextFill;
    }
    changed.notify_all();
}

std::string FrameWriter::finish() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    if (thread.joinable()) thread.join();
    return problem;
}

void FrameWriter::run() {
    int next = 0;
    for (;;) {
        Slot* slot;
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [&] { return slots[next].full || stopping; });
            if (!slots[next].full) return;  // stopping with nothing left
            slot = &slots[next];
        }
        write(*slot);
        {
            std::lock_guard<std::mutex> lock(mutex);
            slot->full = false;
        }
        changed.notify_all();
        next = 1 - next;
    }
}

void FrameWriter::write(Slot& slot) {
    if (!problem.empty()) return;  // after a failure the frames are only drained
    auto start = std::chrono::steady_clock::now();
    composer.compose(slot.pixels.data(), &frame);
    filterSeconds += secondsSince(start);
    std::string trouble;
    if (slot.toVideo && video != nullptr) {
        start = std::chrono::steady_clock::now();
        if (!video->addFrame(frame)) trouble = "ffmpeg stopped taking frames";
        encodeSeconds += secondsSince(start);
    }
    if (trouble.empty() && !slot.pngPath.empty()) {
        start = std::chrono::steady_clock::now();
        if (!savePng(slot.pngPath, layout.frameWidth, layout.frameHeight, frame))
            trouble = "cannot write " + slot.pngPath;
        stillSeconds += secondsSince(start);
    }
    if (!trouble.empty()) {
        std::lock_guard<std::mutex> lock(mutex);
        problem = trouble;
    }
}
