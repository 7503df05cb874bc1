// Threads that can be created suspended, given a priority and resumed, as the music player starts
// its decoder. Nothing here joins: a thread ends when its routine returns.
#pragma once

#include <cstdint>

namespace platform {

struct ThreadData;
using ThreadHandle = ThreadData*;
using ThreadRoutine = std::uint32_t (*)(void* argument);

constexpr int threadPriorityNormal = 0;
constexpr int threadPriorityHighest = 2;

// Null on failure. A suspended thread runs only after resumeThread.
ThreadHandle createThread(ThreadRoutine routine, void* argument, bool suspended,
                          std::uint32_t* threadId);
bool setThreadPriority(ThreadHandle thread, int priority);
bool resumeThread(ThreadHandle thread);
// Gives up the handle; the thread runs on.
bool closeThreadHandle(ThreadHandle thread);

}  // namespace platform
