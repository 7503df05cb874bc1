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
    : composer_(layout), layout_(layout), video_(video) {
    thread_ = std::thread([this] { run(); });
}

FrameWriter::~FrameWriter() {
    finish();
}

unsigned char* FrameWriter::nextBuffer() {
    auto start = std::chrono::steady_clock::now();
    std::unique_lock<std::mutex> lock(mutex_);
    Slot& slot = slots_[nextFill_];
    changed_.wait(lock, [&] { return !slot.full || !problem_.empty(); });
    waitSeconds += secondsSince(start);
    if (!problem_.empty()) return nullptr;
    // Made on first use: a run that writes nothing out needs none, and they can be large.
    slot.pixels.resize(static_cast<std::size_t>(layout_.renderWidth()) * layout_.renderHeight() *
                       4);
    return slot.pixels.data();
}

void FrameWriter::submit(bool toVideo, const std::string& pngPath) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Slot& slot = slots_[nextFill_];
        slot.full = true;
        slot.toVideo = toVideo;
        slot.pngPath = pngPath;
        nextFill_ = 1 - nextFill_;
    }
    changed_.notify_all();
}

std::string FrameWriter::finish() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
    return problem_;
}

void FrameWriter::run() {
    int next = 0;
    for (;;) {
        Slot* slot;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [&] { return slots_[next].full || stopping_; });
            if (!slots_[next].full) return;  // stopping with nothing left
            slot = &slots_[next];
        }
        write(*slot);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            slot->full = false;
        }
        changed_.notify_all();
        next = 1 - next;
    }
}

void FrameWriter::write(Slot& slot) {
    if (!problem_.empty()) return;  // after a failure the frames are only drained
    auto start = std::chrono::steady_clock::now();
    composer_.compose(slot.pixels.data(), &frame_);
    filterSeconds += secondsSince(start);
    std::string problem;
    if (slot.toVideo && video_ != nullptr) {
        start = std::chrono::steady_clock::now();
        if (!video_->addFrame(frame_)) problem = "ffmpeg stopped taking frames";
        encodeSeconds += secondsSince(start);
    }
    if (problem.empty() && !slot.pngPath.empty()) {
        start = std::chrono::steady_clock::now();
        if (!savePng(slot.pngPath, layout_.frameWidth, layout_.frameHeight, frame_))
            problem = "cannot write " + slot.pngPath;
        stillSeconds += secondsSince(start);
    }
    if (!problem.empty()) {
        std::lock_guard<std::mutex> lock(mutex_);
        problem_ = problem;
    }
}
