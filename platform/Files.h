// The temporary folder, a private folder inside it for one run marked as in use by a lock, the
// removal of such folders left behind by runs that were killed, file and folder removal, and
// opening a data file that must be a regular file. Paths handed out here always end with the
// system's separator, ready for a bare file name.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

// The separator that ends a folder path on this system.
extern const char pathSeparator;

// True for every character this system treats as separating folders in a path.
bool isPathSeparator(char c);

// Writes the system's temporary folder, with its trailing separator, into buffer (bufferSize bytes,
// NUL included). Returns the length written, or 0 when it cannot be found or does not fit.
unsigned getTempPath(unsigned bufferSize, char* buffer);

// Creates a new folder with a unique name inside parent (a folder path with its separator), that
// only the current user may enter. Writes its path, with a trailing separator, into buffer and
// returns the length, or 0 on failure.
unsigned makePrivateFolder(const char* parent, const char* prefix, unsigned bufferSize,
                           char* buffer);

// Holds a lock on a file inside a private folder for as long as it lives, marking the folder as one
// of ours and in use. The system lets the lock go when the process ends in any way, even killed,
// which is how removeStaleFolders tells a folder left behind from one in use.
class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Creates the file name inside folder (a path with its separator) and locks it; the file only
    // ever appears locked. False when it cannot be made or locked: the folder then stays unmarked.
    bool acquire(const char* folder, const char* name);
    // Deletes the file and lets the lock go.
    void release();

private:
    std::intptr_t handle = -1;
    std::string lockPath;
};

// Removes the folders whose names start with prefix inside parent that earlier runs left behind:
// folders (never links) of the current user that hold the lock file lockName, whose lock nobody
// holds, and nothing but regular files. Anything else is left alone, whatever its name. Returns
// how many folders were removed.
unsigned removeStaleFolders(const char* parent, const char* prefix, const char* lockName);

// Opens path for reading in binary mode when it is a regular file (links are followed). A FIFO
// or a device is refused without waiting on it: *notRegular is set then. Null on failure, with
// errno saying why unless notRegular was set.
std::FILE* openRegularFile(const char* path, bool* notRegular);

bool deleteFile(const char* path);

// Removes an empty folder; a trailing separator is allowed.
bool removeFolder(const char* path);

// Path of the folder that holds the running executable, with its trailing separator; empty when
// unknown.
const char* executableFolder();

}  // namespace platform
