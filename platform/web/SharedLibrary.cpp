// Run-time "loading" in a browser page: a library is one that registered itself at start-up
// (LinkedLibrary.h). Names compare without folders and without case, as the system's loader does.
#include <cctype>
#include <cstring>
#include <string>
#include <deque>

#include "platform/SharedLibrary.h"
#include "platform/web/LinkedLibrary.h"

namespace platform {
namespace {

struct LinkedLibrary {
    std::string name;
    const LinkedEntryPoint* entries;
    std::size_t count;
    int loads;
};

// Filled by static initialisers, so it must exist before the first of them runs.
std::deque<LinkedLibrary>& libraries() {
    static std::deque<LinkedLibrary> registered;
    return registered;
}

std::string canonicalName(const char* name) {
    std::string base = name;
    const std::size_t slash = base.find_last_of("/\\");
    if (slash != std::string::npos) base = base.substr(slash + 1);
    for (char& c : base) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return base;
}

LinkedLibrary* find(LibraryHandle handle) {
    for (LinkedLibrary& library : libraries())
        if (&library == handle) return &library;
    return nullptr;
}

}  // namespace

bool registerLinkedLibrary(const char* libraryName, const LinkedEntryPoint* entries,
                           std::size_t count) {
    if (libraryName == nullptr || entries == nullptr) return false;
    const std::string name = canonicalName(libraryName);
    for (const LinkedLibrary& library : libraries())
        if (library.name == name) return false;
    libraries().push_back(LinkedLibrary{name, entries, count, 0});
    return true;
}

LibraryHandle loadLibrary(const char* name) {
    if (name == nullptr || name[0] == '\0') return nullptr;
    const std::string wanted = canonicalName(name);
    for (LinkedLibrary& library : libraries()) {
        if (library.name == wanted) {
            ++library.loads;
            return &library;
        }
    }
    return nullptr;
}

void* getProcAddress(LibraryHandle handle, const char* name) {
    LinkedLibrary* library = find(handle);
    if (library == nullptr || library->loads == 0 || name == nullptr) return nullptr;
    for (std::size_t i = 0; i < library->count; ++i)
        if (std::strcmp(library->entries[i].name, name) == 0) return library->entries[i].address;
    return nullptr;
}

bool freeLibrary(LibraryHandle handle) {
    LinkedLibrary* library = find(handle);
    if (library == nullptr || library->loads == 0) return false;
    --library->loads;
    return true;
}

}  // namespace platform
