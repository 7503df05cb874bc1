// Loading a shared library at run time and finding its entry points by name.
#pragma once

namespace platform {

using LibraryHandle = void*;

// name is the library's name on the system it was written for ("mp3.dll"); it is looked for beside
// the executable first, under this system's own file name for it ("libmp3.so"). Null on failure.
LibraryHandle loadLibrary(const char* name);
void* getProcAddress(LibraryHandle library, const char* name);
bool freeLibrary(LibraryHandle library);

}  // namespace platform
