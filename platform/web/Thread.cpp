// Threads in a browser page, which runs the program on one thread only (real threads would need a
// cross-origin isolated page). A resumed thread's routine runs once the program next hands the
// browser control, that is when it waits for a message or a frame, and must not wait itself: the
// web decoder's mp3play starts the browser's playback and returns.
#include <emscripten/emscripten.h>

#include "platform/Thread.h"

namespace platform {

struct ThreadData {
    ThreadRoutine routine;
    void* argument;
    bool started = false;
    bool handleClosed = false;
    bool finished = false;
};

namespace {

std::uint32_t lastThreadId = 1;

// The record is freed by whichever of the routine and the handle's owner lets go last.
void runRoutine(void* raw) {
    auto* thread = static_cast<ThreadData*>(raw);
    thread->routine(thread->argument);
    thread->finished = true;
    if (thread->handleClosed) delete thread;
}

void start(ThreadData* thread) {
    if (thread->started) return;
    thread->started = true;
    emscripten_async_call(runRoutine, thread, 0);
}

}  // namespace

ThreadHandle createThread(ThreadRoutine routine, void* argument, bool suspended,
                          std::uint32_t* threadId) {
    if (routine == nullptr) return nullptr;
    auto* thread = new ThreadData{routine, argument};
    if (!suspended) start(thread);
    if (threadId) *threadId = ++lastThreadId;
    return thread;
}

// Everything runs at the page's one priority.
bool setThreadPriority(ThreadHandle thread, int) {
    return thread != nullptr;
}

bool resumeThread(ThreadHandle thread) {
    if (thread == nullptr) return false;
    start(thread);
    return true;
}

bool closeThreadHandle(ThreadHandle thread) {
    if (thread == nullptr) return false;
    thread->handleClosed = true;
    if (thread->finished) delete thread;
    return true;
}

}  // namespace platform
