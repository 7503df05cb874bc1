// Read-only memory mapping of whole files: open, map, view, and release in the reverse order.
// The three handles mirror the system's own steps so callers can release exactly what they got.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

using FileHandle = std::intptr_t;
constexpr FileHandle invalidFileHandle = -1;
using MappingHandle = void*;  // null when none

// Opens an existing regular file for reading, others may read it too. invalidFileHandle on failure,
// and at once for anything else (a FIFO, a device, a folder): opening never waits.
FileHandle openFileForMapping(const char* path);
// Whether path names something this process may read: the bitmap reader's probe. The answer never
// waits on what the name leads to, so a FIFO or a device cannot hold the caller up.
bool fileReadable(const char* path);
// Size of an open file in bytes (0 on failure).
std::uint64_t fileSize(FileHandle file);
// A read-only mapping of the whole file; null on failure, always null for an empty file.
MappingHandle createReadOnlyMapping(FileHandle file);
// The whole mapped file; null on failure.
const unsigned char* mapReadOnlyView(MappingHandle mapping);
bool unmapView(const unsigned char* view);
bool closeMapping(MappingHandle mapping);
bool closeFile(FileHandle file);

// The three steps and their release together, for callers that need no handle of their own.
class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool open(const char* path);  // false when it cannot be opened, mapped or viewed
    void close();
    const unsigned char* data() const { return view; }
    std::size_t size() const { return byteCount; }

private:
    FileHandle file = invalidFileHandle;
    MappingHandle mapping = nullptr;
    const unsigned char* view = nullptr;
    std::size_t byteCount = 0;
};

}  // namespace platform
