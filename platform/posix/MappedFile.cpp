// Read-only file mapping on POSIX. POSIX has no mapping object of its own, so the "mapping" is a
// record of the descriptor and size, and views remember their length for munmap.
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/MappedFile.h"
#include "platform/posix/RegularFile.h"

namespace platform {
namespace {

struct Mapping {
    int descriptor;
    std::size_t size;
};

// Never destroyed: a window close leaves the music thread playing from its mapped track while the
// program exits, and its last unmap must not meet a map that static destruction has freed.
std::mutex viewsLock;
std::map<const unsigned char*, std::size_t>& viewSizes() {
    static auto* sizes = new std::map<const unsigned char*, std::size_t>;
    return *sizes;
}

}  // namespace

FileHandle openFileForMapping(const char* path) {
    // Mapping and reading a regular file never wait, so O_NONBLOCK may stay set.
    const int descriptor = openRegularDescriptor(path, nullptr);
    return descriptor < 0 ? invalidFileHandle : descriptor;
}

bool fileReadable(const char* path) {
    return path != nullptr && access(path, R_OK) == 0;
}

std::uint64_t fileSize(FileHandle file) {
    struct stat info {};
    if (file == invalidFileHandle || fstat(static_cast<int>(file), &info) != 0) return 0;
    return static_cast<std::uint64_t>(info.st_size);
}

MappingHandle createReadOnlyMapping(FileHandle file) {
    std::uint64_t size = fileSize(file);
    if (size == 0 || size > SIZE_MAX) return nullptr;  // the system refuses an empty mapping too
    return new Mapping{static_cast<int>(file), static_cast<std::size_t>(size)};
}

const unsigned char* mapReadOnlyView(MappingHandle mapping) {
    if (mapping == nullptr) return nullptr;
    auto* record = static_cast<Mapping*>(mapping);
    void* view = mmap(nullptr, record->size, PROT_READ, MAP_PRIVATE, record->descriptor, 0);
    if (view == MAP_FAILED) return nullptr;
    auto* bytes = static_cast<const unsigned char*>(view);
    std::lock_guard<std::mutex> guard(viewsLock);
    viewSizes()[bytes] = record->size;
    return bytes;
}

bool unmapView(const unsigned char* view) {
    std::size_t size = 0;
    {
        std::lock_guard<std::mutex> guard(viewsLock);
        auto found = viewSizes().find(view);
        if (found == viewSizes().end()) return false;
        size = found->second;
        viewSizes().erase(found);
    }
    return munmap(const_cast<unsigned char*>(view), size) == 0;
}

bool closeMapping(MappingHandle mapping) {
    if (mapping == nullptr) return false;
    delete static_cast<Mapping*>(mapping);
    return true;
}

bool closeFile(FileHandle file) {
    return file != invalidFileHandle && ::close(static_cast<int>(file)) == 0;
}

}  // namespace platform
