// The rule for a name read from a data file that is to become a file inside a folder of ours: a
// bare name that can neither reach outside that folder nor open a device, on any system. The
// archive's entry names and the texture names inside 3DS models both go through it.
#pragma once

#include <cstddef>

namespace platform {

// Why name (length bytes) cannot be a file's name inside a folder, or nullptr when it can.
// Refuses empty names, ".", anything holding "..", a NUL byte, every path separator of any system,
// colons, and the names of Windows devices (CON, NUL, COM1...).
const char* bareNameProblem(const char* name, std::size_t length);

}  // namespace platform
