// Temporary and private folders, file removal and the executable's folder on Win32. The private
// folder has a random name (rand_s draws from the system's generator), is made new with
// CreateDirectoryA and is given an access list that lets in only the current user.
#define _CRT_RAND_S
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Files.h"
#include "platform/win32/Win32Handles.h"

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
