// Ending a thread's child processes from a signal handler: /proc/self/task/TID/children lists
// them as decimal numbers separated by spaces; everything here is a system call or plain
// arithmetic, so it is safe to run in the handler.
#include "platform/posix/ThreadChildren.h"

#include <csignal>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {
namespace {

// Writes the decimal digits of value at out and returns the end.
char* appendNumber(char* out, long value) {
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 && count < 24);
    while (count > 0) *out++ = digits[--count];
    return out;
}

char* appendText(char* out, const char* text) {
    while (*text) *out++ = *text++;
    return out;
}

}  // namespace

long currentThreadId() {
    return static_cast<long>(syscall(SYS_gettid));
}

void endThreadChildren(long threadId) {
    if (threadId <= 0) return;
    char path[64];
    char* end = appendText(path, "/proc/self/task/");
    end = appendNumber(end, threadId);
    end = appendText(end, "/children");
    *end = '\0';
    const int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0) return;
    char buffer[256];
    long pid = 0;
    bool inNumber = false;
    for (;;) {
        const ssize_t count = read(file, buffer, sizeof buffer);
        if (count <= 0) break;
        for (ssize_t i = 0; i < count; ++i) {
            const char c = buffer[i];
            if (c >= '0' && c <= '9') {
                if (pid < 100000000) pid = pid * 10 + (c - '0');
                inNumber = true;
            } else if (inNumber) {
                kill(static_cast<pid_t>(pid), SIGKILL);
                pid = 0;
                inNumber = false;
            }
        }
    }
    if (inNumber) kill(static_cast<pid_t>(pid), SIGKILL);
    close(file);
}

}  // namespace platform
