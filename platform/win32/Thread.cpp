// Threads on Win32: CreateThread (suspended when asked), SetThreadPriority, ResumeThread. The
// routine is started through a small system-convention routine of our own, so the platform's
// routine type never has to be cast to the system's.
#include <new>

#include "platform/win32/Win32Handles.h"

namespace platform {

namespace {

struct StartRecord {
    ThreadRoutine routine;
    void* argument;
};

DWORD WINAPI threadStart(LPVOID raw) {
    const StartRecord record = *static_cast<StartRecord*>(raw);
    delete static_cast<StartRecord*>(raw);
    return record.routine(record.argument);
}

}  // namespace

static_assert(THREAD_PRIORITY_HIGHEST == threadPriorityHighest &&
                  THREAD_PRIORITY_NORMAL == threadPriorityNormal,
              "priorities carry the system's values");

ThreadHandle createThread(ThreadRoutine routine, void* argument, bool suspended,
                          std::uint32_t* threadId) {
    if (routine == nullptr) return nullptr;
    auto* record = new (std::nothrow) StartRecord{routine, argument};
    if (record == nullptr) return nullptr;
    DWORD id = 0;
    HANDLE thread =
        CreateThread(nullptr, 0, threadStart, record, suspended ? CREATE_SUSPENDED : 0, &id);
    if (thread == nullptr) {
        delete record;
        return nullptr;
    }
    if (threadId != nullptr) *threadId = id;
    return fromHandle(thread);
}

bool setThreadPriority(ThreadHandle thread, int priority) {
    return thread != nullptr && SetThreadPriority(toHandle(thread), priority) != FALSE;
}

bool resumeThread(ThreadHandle thread) {
    return thread != nullptr && ResumeThread(toHandle(thread)) != static_cast<DWORD>(-1);
}

bool closeThreadHandle(ThreadHandle thread) {
    return thread != nullptr && CloseHandle(toHandle(thread)) != FALSE;
}

}  // namespace platform
