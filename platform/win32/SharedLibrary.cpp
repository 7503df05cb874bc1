// Run-time library loading on Win32: LoadLibraryA, which looks beside the executable first,
// GetProcAddress and FreeLibrary.
#include <cstring>

#include "platform/SharedLibrary.h"
#include "platform/win32/Win32Handles.h"

namespace platform {

LibraryHandle loadLibrary(const char* name) {
    if (name == nullptr || name[0] == '\0') return nullptr;
    return LoadLibraryA(name);
}

void* getProcAddress(LibraryHandle library, const char* name) {
    if (library == nullptr || name == nullptr) return nullptr;
    FARPROC entry = GetProcAddress(static_cast<HMODULE>(library), name);
    // Entry points travel as plain pointers; the caller casts back to the entry point's own type.
    void* address = nullptr;
    static_assert(sizeof address == sizeof entry, "code and data pointers have one size here");
    std::memcpy(&address, &entry, sizeof address);
    return address;
}

bool freeLibrary(LibraryHandle library) {
    return library != nullptr && FreeLibrary(static_cast<HMODULE>(library)) != FALSE;
}

}  // namespace platform
