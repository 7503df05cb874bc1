// Run-time library loading on POSIX: "name.dll" is looked for as "libname.so" beside the
// executable, then wherever the dynamic loader looks.
#include <dlfcn.h>
#include <string>

#include "platform/Files.h"
#include "platform/SharedLibrary.h"

namespace platform {

LibraryHandle loadLibrary(const char* name) {
    if (name == nullptr || name[0] == '\0') return nullptr;
    std::string base = name;
    std::size_t slash = base.find_last_of("/\\");
    if (slash != std::string::npos) base = base.substr(slash + 1);
    std::size_t dot = base.rfind('.');
    if (dot != std::string::npos && base.compare(dot, std::string::npos, ".dll") == 0)
        base.erase(dot);
    const std::string fileName = "lib" + base + ".so";

    std::string besideUs = std::string(executableFolder()) + fileName;
    if (void* library = dlopen(besideUs.c_str(), RTLD_NOW | RTLD_LOCAL)) return library;
    return dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* getProcAddress(LibraryHandle library, const char* name) {
    if (library == nullptr || name == nullptr) return nullptr;
    return dlsym(library, name);
}

bool freeLibrary(LibraryHandle library) {
    return library != nullptr && dlclose(library) == 0;
}

}  // namespace platform
