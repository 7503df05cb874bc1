// Temporary and private folders, file removal and the executable's folder on POSIX.
// The private folder is made with mkdtemp, so it is new, unguessable and mode 0700.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "platform/Files.h"

namespace platform {

const char pathSeparator = '/';

bool isPathSeparator(char c) {
    return c == '/';
}

unsigned getTempPath(unsigned bufferSize, char* buffer) {
    const char* folder = std::getenv("TMPDIR");
    if (folder == nullptr || folder[0] != '/') folder = "/tmp";
    std::string path = folder;
    if (path.back() != '/') path += '/';
    if (buffer == nullptr || path.size() + 1 > bufferSize) return 0;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<unsigned>(path.size());
}

unsigned makePrivateFolder(const char* parent, const char* prefix, unsigned bufferSize,
                           char* buffer) {
    if (parent == nullptr || buffer == nullptr) return 0;
    std::string pattern = std::string(parent) + (prefix ? prefix : "") + "XXXXXX";
    std::string made = pattern;
    if (mkdtemp(made.data()) == nullptr) return 0;
    made += '/';
    if (made.size() + 1 > bufferSize) {
        made.pop_back();
        rmdir(made.c_str());
        return 0;
    }
    std::memcpy(buffer, made.c_str(), made.size() + 1);
    return static_cast<unsigned>(made.size());
}

bool deleteFile(const char* path) {
    return path != nullptr && unlink(path) == 0;
}

bool removeFolder(const char* path) {
    if (path == nullptr) return false;
    std::string folder = path;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return rmdir(folder.c_str()) == 0;
}

const char* executableFolder() {
    static std::string folder = [] {
        char path[PATH_MAX];
        ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
        if (n <= 0) return std::string();
        std::string full(path, static_cast<std::size_t>(n));
        std::size_t slash = full.rfind('/');
        return slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
    }();
    return folder.c_str();
}

}  // namespace platform
