// Temporary and private folders, folder locks and the sweep of stale folders, file removal,
// regular-file opening and the executable's folder on Win32. The private folder has a random name
// (rand_s draws from the system's generator), is made new with CreateDirectoryA and is given an
// access list that lets in only the current user. A folder's lock is its lock file held open with
// no sharing, which the system closes with the process; the sweep never enters a reparse point.
#define _CRT_RAND_S
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "platform/Files.h"
#include "platform/win32/Win32Handles.h"

#include <aclapi.h>
#include <sddl.h>

namespace platform {

namespace {

constexpr int folderAttempts = 16;

}  // namespace

const char pathSeparator = '\\';

namespace {

// "D:P(A;OICI;FA;;;<user>)": full access for the current user, inherited by what is made inside,
// nothing inherited from the parent, nobody else. Empty when the user cannot be found.
std::string ownerOnlyDescriptor() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return std::string();
    std::string descriptor;
    DWORD needed = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &needed);
    std::string buffer(needed, '\0');
    char* userSid = nullptr;
    if (needed != 0 && GetTokenInformation(token, TokenUser, buffer.data(), needed, &needed) &&
        ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &userSid)) {
        descriptor = std::string("D:P(A;OICI;FA;;;") + userSid + ")";
        LocalFree(userSid);
    }
    CloseHandle(token);
    return descriptor;
}

// The security identifiers that stand for this process's user: the user's own and the owner the
// system gives what the process makes (for an administrator that may be the Administrators group).
// Each as a buffer holding a TOKEN_USER or a TOKEN_OWNER; empty when it cannot be found.
struct OurSids {
    std::string user, owner;
};

std::string tokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind) {
    DWORD needed = 0;
    GetTokenInformation(token, kind, nullptr, 0, &needed);
    std::string buffer(needed, '\0');
    if (needed == 0 || !GetTokenInformation(token, kind, buffer.data(), needed, &needed))
        buffer.clear();
    return buffer;
}

OurSids ourSids() {
    OurSids sids;
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return sids;
    sids.user = tokenInformation(token, TokenUser);
    sids.owner = tokenInformation(token, TokenOwner);
    CloseHandle(token);
    return sids;
}

// True when folder (a path with its separator; never a reparse point) is owned by this process's
// user.
bool ownedByUs(const std::string& folder, const OurSids& sids) {
    const std::string path = folder.substr(0, folder.size() - 1);
    HANDLE handle = CreateFileA(
        path.c_str(), READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    PSID folderOwner = nullptr;
    PSECURITY_DESCRIPTOR security = nullptr;
    bool same = false;
    if (GetSecurityInfo(handle, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &folderOwner, nullptr,
                        nullptr, nullptr, &security) == ERROR_SUCCESS &&
        folderOwner != nullptr) {
        same =
            (!sids.user.empty() &&
             EqualSid(folderOwner,
                      reinterpret_cast<const TOKEN_USER*>(sids.user.data())->User.Sid)) ||
            (!sids.owner.empty() &&
             EqualSid(folderOwner, reinterpret_cast<const TOKEN_OWNER*>(sids.owner.data())->Owner));
    }
    if (security != nullptr) LocalFree(security);
    CloseHandle(handle);
    return same;
}

// The entries of folder (a path with its separator) but "." and "..". False when it cannot be read.
bool folderEntries(const std::string& folder, std::vector<WIN32_FIND_DATAA>& entries) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0)
            entries.push_back(found);
    } while (FindNextFileA(search, &found));
    const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(search);
    return complete;
}

bool isPlainFile(DWORD attributes) {
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

// Removes folder (a path with its separator) when it is a stale one of ours (see
// removeStaleFolders). True when it was removed.
bool removeIfStale(const std::string& folder, const char* lockName, const OurSids& sids) {
    if (!ownedByUs(folder, sids)) return false;
    const std::string lockPath = folder + lockName;
    // Opened with no sharing: a run still going holds it the same way, so this fails then.
    HANDLE lock = CreateFileA(lockPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (lock == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION lockInfo{};
    std::vector<WIN32_FIND_DATAA> entries;
    bool ours = GetFileInformationByHandle(lock, &lockInfo) &&
                isPlainFile(lockInfo.dwFileAttributes) && folderEntries(folder, entries);
    // A run of ours leaves nothing but plain files; anything else was put there by someone else
    // and the folder is not ours to empty.
    for (const WIN32_FIND_DATAA& entry : entries)
        if (!isPlainFile(entry.dwFileAttributes)) ours = false;
    if (ours) {
        for (const WIN32_FIND_DATAA& entry : entries)
            if (std::strcmp(entry.cFileName, lockName) != 0)
                DeleteFileA((folder + entry.cFileName).c_str());
    }
    CloseHandle(lock);
    if (!ours) return false;
    DeleteFileA(lockPath.c_str());
    return RemoveDirectoryA(folder.c_str()) != FALSE;
}

bool makeOwnerOnlyFolder(const std::string& path) {
    const std::string descriptor = ownerOnlyDescriptor();
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
    PSECURITY_DESCRIPTOR security = nullptr;
    if (!descriptor.empty() && ConvertStringSecurityDescriptorToSecurityDescriptorA(
                                   descriptor.c_str(), SDDL_REVISION_1, &security, nullptr))
        attributes.lpSecurityDescriptor = security;
    // Without a descriptor the folder inherits the user's own temporary folder's, which is private
    // too.
    const bool made = CreateDirectoryA(path.c_str(), &attributes) != FALSE;
    if (security != nullptr) LocalFree(security);
    return made;
}

}  // namespace

// A colon names a drive or a file's stream, so it ends a name just as a separator does.
bool isPathSeparator(char c) {
    return c == '\\' || c == '/' || c == ':';
}

unsigned getTempPath(unsigned bufferSize, char* buffer) {
    if (buffer == nullptr || bufferSize == 0) return 0;
    const DWORD length = GetTempPathA(bufferSize, buffer);
    if (length == 0 || length >= bufferSize) return 0;
    if (!isPathSeparator(buffer[length - 1])) {
        if (length + 2 > bufferSize) return 0;
        buffer[length] = pathSeparator;
        buffer[length + 1] = '\0';
        return length + 1;
    }
    return length;
}

unsigned makePrivateFolder(const char* parent, const char* prefix, unsigned bufferSize,
                           char* buffer) {
    if (parent == nullptr || buffer == nullptr) return 0;
    for (int attempt = 0; attempt < folderAttempts; ++attempt) {
        unsigned first = 0, second = 0;
        if (rand_s(&first) != 0 || rand_s(&second) != 0) return 0;
        char suffix[17];
        std::snprintf(suffix, sizeof suffix, "%08x%08x", first, second);
        const std::string path = std::string(parent) + (prefix ? prefix : "") + suffix;
        if (path.size() + 2 > bufferSize) return 0;
        if (!makeOwnerOnlyFolder(path)) {
            if (GetLastError() == ERROR_ALREADY_EXISTS) continue;
            return 0;
        }
        const std::string made = path + pathSeparator;
        std::memcpy(buffer, made.c_str(), made.size() + 1);
        return static_cast<unsigned>(made.size());
    }
    return 0;
}

FolderLock::~FolderLock() {
    release();
}

bool FolderLock::acquire(const char* folder, const char* name) {
    release();
    if (folder == nullptr || name == nullptr) return false;
    const std::string path = std::string(folder) + name;
    // Made new and held with no sharing in one call: the file never exists unheld.
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (lock == INVALID_HANDLE_VALUE) return false;
    handle = reinterpret_cast<std::intptr_t>(lock);
    lockPath = path;
    return true;
}

void FolderLock::release() {
    if (handle == -1) return;
    CloseHandle(reinterpret_cast<HANDLE>(handle));
    DeleteFileA(lockPath.c_str());
    handle = -1;
    lockPath.clear();
}

unsigned removeStaleFolders(const char* parent, const char* prefix, const char* lockName) {
    if (parent == nullptr || prefix == nullptr || lockName == nullptr) return 0;
    const OurSids sids = ourSids();
    std::vector<WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((std::string(parent) + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        entries.push_back(found);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    unsigned removed = 0;
    for (const WIN32_FIND_DATAA& entry : entries) {
        const DWORD attributes = entry.dwFileAttributes;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
            continue;
        if (removeIfStale(std::string(parent) + entry.cFileName + pathSeparator, lockName, sids))
            ++removed;
    }
    return removed;
}

std::FILE* openRegularFile(const char* path, bool* notRegular) {
    if (notRegular != nullptr) *notRegular = false;
    if (path == nullptr) {
        errno = EINVAL;
        return nullptr;
    }
    // Opening a pipe or a device does not wait here; only a plain file on a disk is kept.
    const int fd = _open(path, _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) return nullptr;
    struct _stat64 info {};
    if (_fstat64(fd, &info) == 0 && (info.st_mode & _S_IFMT) != _S_IFREG) {
        _close(fd);
        if (notRegular != nullptr) *notRegular = true;
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "rb");
    if (file == nullptr) {
        const int failure = errno;
        _close(fd);
        errno = failure;
    }
    return file;
}

bool deleteFile(const char* path) {
    return path != nullptr && DeleteFileA(path) != FALSE;
}

bool removeFolder(const char* path) {
    if (path == nullptr) return false;
    std::string folder = path;
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return RemoveDirectoryA(folder.c_str()) != FALSE;
}

const char* executableFolder() {
    static std::string folder = [] {
        std::string path(MAX_PATH, '\0');
        for (;;) {
            const DWORD length =
                GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (length == 0) return std::string();
            if (length < path.size()) {
                path.resize(length);
                break;
            }
            if (path.size() > 32768) return std::string();
            path.resize(path.size() * 2);
        }
        const std::size_t separator = path.find_last_of("\\/");
        return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    }();
    return folder.c_str();
}

}  // namespace platform
