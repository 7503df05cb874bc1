// Read-only file mapping on Win32: CreateFileA, CreateFileMappingA, MapViewOfFile, and their
// release. Only ordinary disk files are opened; the system refuses an empty mapping by itself.
#include "platform/MappedFile.h"
#include "platform/win32/Win32Handles.h"

namespace platform {

namespace {

HANDLE toFile(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

}  // namespace

FileHandle openFileForMapping(const char* path) {
    if (path == nullptr) return invalidFileHandle;
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return invalidFileHandle;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return invalidFileHandle;
    }
    return reinterpret_cast<FileHandle>(file);
}

bool fileReadable(const char* path) {
    // Opening a path here never waits (a pipe with no free instance fails at once).
    if (path == nullptr) return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

std::uint64_t fileSize(FileHandle file) {
    LARGE_INTEGER size;
    if (file == invalidFileHandle || !GetFileSizeEx(toFile(file), &size) || size.QuadPart < 0)
        return 0;
    return static_cast<std::uint64_t>(size.QuadPart);
}

MappingHandle createReadOnlyMapping(FileHandle file) {
    if (file == invalidFileHandle) return nullptr;
    return CreateFileMappingA(toFile(file), nullptr, PAGE_READONLY, 0, 0, nullptr);
}

const unsigned char* mapReadOnlyView(MappingHandle mapping) {
    if (mapping == nullptr) return nullptr;
    return static_cast<const unsigned char*>(
        MapViewOfFile(static_cast<HANDLE>(mapping), FILE_MAP_READ, 0, 0, 0));
}

bool unmapView(const unsigned char* view) {
    return view != nullptr && UnmapViewOfFile(view) != FALSE;
}

bool closeMapping(MappingHandle mapping) {
    return mapping != nullptr && CloseHandle(static_cast<HANDLE>(mapping)) != FALSE;
}

bool closeFile(FileHandle file) {
    return file != invalidFileHandle && CloseHandle(toFile(file)) != FALSE;
}

}  // namespace platform
