// The processes a thread of ours has started, ended from a signal handler. A message box on X is
// shown by a child process that the box's thread waits for; a termination request ends that child
// so the wait returns and the program can go its usual way out.
#pragma once

namespace platform {

// The calling thread's kernel id, for endThreadChildren.
long currentThreadId();

// Sends SIGKILL to every child process of thread `threadId` of this process. Async-signal-safe:
// reads /proc with plain system calls, allocates nothing. Nothing happens where /proc does not
// list children.
void endThreadChildren(long threadId);

}  // namespace platform
