// The temporary folder, a private folder inside it for one run, and file and folder removal.
// Paths handed out here always end with the system's separator, ready for a bare file name.
#pragma once

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

bool deleteFile(const char* path);

// Removes an empty folder; a trailing separator is allowed.
bool removeFolder(const char* path);

// Path of the folder that holds the running executable, with its trailing separator; empty when
// unknown.
const char* executableFolder();

}  // namespace platform
