// Libraries linked into the program instead of loaded from files: a browser page has no loader
// for them. Each such library registers its entry points under its system name before main runs,
// and loadLibrary then finds it by that name like any other.
#pragma once

#include <cstddef>

namespace platform {

struct LinkedEntryPoint {
    const char* name;
    void* address;
};

// entries must stay valid for the program's lifetime. False when the name is taken.
bool registerLinkedLibrary(const char* libraryName, const LinkedEntryPoint* entries,
                           std::size_t count);

}  // namespace platform
