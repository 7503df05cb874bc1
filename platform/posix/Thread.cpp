// Threads on POSIX. A suspended thread waits on a condition variable until resumed; the priority
// request is kept as a hint (raising it needs privileges that a demo should not ask for).
#include <condition_variable>
#include <mutex>
#include <pthread.h>

#include "platform/Thread.h"

namespace platform {

struct ThreadData {
    ThreadRoutine routine;
    void* argument;
    std::mutex lock;
    std::condition_variable resumed;
    bool running = false;
    bool handleClosed = false;
    bool finished = false;
    int priority = threadPriorityNormal;
};

namespace {

std::uint32_t nextThreadId() {
    static std::mutex lock;
    static std::uint32_t id = 1;
    std::lock_guard<std::mutex> guard(lock);
    return ++id;
}

// The record is freed by whichever of the thread and the handle's owner lets go last.
void* threadMain(void* raw) {
    auto* thread = static_cast<ThreadData*>(raw);
    {
        std::unique_lock<std::mutex> guard(thread->lock);
        thread->resumed.wait(guard, [thread] { return thread->running; });
    }
    thread->routine(thread->argument);
    bool release;
    {
        std::lock_guard<std::mutex> guard(thread->lock);
        thread->finished = true;
        release = thread->handleClosed;
    }
    if (release) delete thread;
    return nullptr;
}

}  // namespace

ThreadHandle createThread(ThreadRoutine routine, void* argument, bool suspended,
                          std::uint32_t* threadId) {
    if (routine == nullptr) return nullptr;
    auto* thread = new ThreadData;
    thread->routine = routine;
    thread->argument = argument;
    thread->running = !suspended;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    pthread_t id;
    int failed = pthread_create(&id, &attributes, threadMain, thread);
    pthread_attr_destroy(&attributes);
    if (failed) {
        delete thread;
        return nullptr;
    }
    if (threadId) *threadId = nextThreadId();
    return thread;
}

bool setThreadPriority(ThreadHandle thread, int priority) {
    if (thread == nullptr) return false;
    std::lock_guard<std::mutex> guard(thread->lock);
    thread->priority = priority;
    return true;
}

bool resumeThread(ThreadHandle thread) {
    if (thread == nullptr) return false;
    {
        std::lock_guard<std::mutex> guard(thread->lock);
        thread->running = true;
    }
    thread->resumed.notify_one();
    return true;
}

bool closeThreadHandle(ThreadHandle thread) {
    if (thread == nullptr) return false;
    bool release;
    {
        std::lock_guard<std::mutex> guard(thread->lock);
        thread->handleClosed = true;
        release = thread->finished;
    }
    if (release) delete thread;
    return true;
}

}  // namespace platform
