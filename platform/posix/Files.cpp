// Temporary and private folders, folder locks and the sweep of stale folders, file removal,
// regular-file opening and the executable's folder on POSIX. The private folder is made with
// mkdtemp, so it is new, unguessable and mode 0700. The lock is flock's, which the system drops
// with the process; the sweep works through descriptors (openat, O_NOFOLLOW) so no link is
// followed and no folder is swapped under it by name.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/Files.h"
#include "platform/posix/RegularFile.h"

namespace platform {

namespace {

// Closes a descriptor when it goes.
struct Descriptor {
    int fd;
    explicit Descriptor(int value) : fd(value) {}
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
};

// The names in the folder open as fd, without "." and "..". False when it cannot be read.
bool folderNames(int fd, std::vector<std::string>& names) {
    const int copy = dup(fd);
    if (copy < 0) return false;
    DIR* listing = fdopendir(copy);
    if (listing == nullptr) {
        close(copy);
        return false;
    }
    rewinddir(listing);
    while (const dirent* item = readdir(listing)) {
        const std::string name = item->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(listing);
    return true;
}

// Removes the folder name inside parentFd when it is a stale one of ours (see
// removeStaleFolders). True when it was removed.
bool removeIfStale(int parentFd, const char* name, const char* lockName) {
    Descriptor folder(openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (folder.fd < 0 || fstat(folder.fd, &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != geteuid())
        return false;
    Descriptor lock(openat(folder.fd, lockName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (lock.fd < 0 || fstat(lock.fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != geteuid())
        return false;
    // Held: the run that made the folder still goes on.
    if (flock(lock.fd, LOCK_EX | LOCK_NB) != 0) return false;
    std::vector<std::string> names;
    if (!folderNames(folder.fd, names)) return false;
    // A run of ours leaves nothing but plain files; anything else was put there by someone else
    // and the folder is not ours to empty.
    for (const std::string& item : names) {
        if (fstatat(folder.fd, item.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode))
            return false;
    }
    for (const std::string& item : names)
        if (item != lockName) unlinkat(folder.fd, item.c_str(), 0);
    unlinkat(folder.fd, lockName, 0);
    return unlinkat(parentFd, name, AT_REMOVEDIR) == 0;
}

}  // namespace

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

FolderLock::~FolderLock() {
    release();
}

bool FolderLock::acquire(const char* folder, const char* name) {
    release();
    if (folder == nullptr || name == nullptr) return false;
    const std::string path = std::string(folder) + name;
    // Made under another name and linked to its own once locked, so that a sweep running meanwhile
    // never finds the lock file free; the link, unlike a rename, never replaces a file there.
    const std::string fresh = path + ".new";
    const int fd = open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const bool locked = flock(fd, LOCK_EX | LOCK_NB) == 0 && link(fresh.c_str(), path.c_str()) == 0;
    unlink(fresh.c_str());
    if (!locked) {
        close(fd);
        return false;
    }
    handle = fd;
    lockPath = path;
    return true;
}

void FolderLock::release() {
    if (handle < 0) return;
    // Deleted while still held, so no sweep can take the folder for stale before it is gone.
    unlink(lockPath.c_str());
    close(static_cast<int>(handle));
    handle = -1;
    lockPath.clear();
}

unsigned removeStaleFolders(const char* parent, const char* prefix, const char* lockName) {
    if (parent == nullptr || prefix == nullptr || lockName == nullptr) return 0;
    Descriptor parentFolder(open(parent, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::vector<std::string> names;
    if (parentFolder.fd < 0 || !folderNames(parentFolder.fd, names)) return 0;
    const std::size_t prefixLength = std::strlen(prefix);
    unsigned removed = 0;
    for (const std::string& name : names) {
        if (name.compare(0, prefixLength, prefix) == 0 &&
            removeIfStale(parentFolder.fd, name.c_str(), lockName))
            ++removed;
    }
    return removed;
}

int openRegularDescriptor(const char* path, bool* notRegular) {
    if (notRegular != nullptr) *notRegular = false;
    if (path == nullptr) {
        errno = EINVAL;
        return -1;
    }
    // Without O_NONBLOCK the open of a FIFO waits for a writer, for ever if none comes.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        const int failure = errno;
        close(fd);
        errno = failure;
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        close(fd);
        if (notRegular != nullptr) *notRegular = true;
        return -1;
    }
    return fd;
}

std::FILE* openRegularFile(const char* path, bool* notRegular) {
    const int fd = openRegularDescriptor(path, notRegular);
    if (fd < 0) return nullptr;
    // Reads from a regular file never wait anyway; the flag is cleared so they behave as usual.
    const int flags = fcntl(fd, F_GETFL);
    std::FILE* file = nullptr;
    if (flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) file = fdopen(fd, "rb");
    if (file == nullptr) {
        const int failure = errno;
        close(fd);
        errno = failure;
    }
    return file;
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
