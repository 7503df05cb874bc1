// The one non-blocking open behind every data file on POSIX: the archive, models, bitmaps, music.
#pragma once

namespace platform {

// Opens path read-only without waiting (a FIFO or a device would wait for a writer or a medium)
// and keeps it only when it is a regular file. Returns the descriptor, O_NONBLOCK still set, or
// -1; *notRegular (when given) says that something other than a regular file was refused.
int openRegularDescriptor(const char* path, bool* notRegular);

}  // namespace platform
