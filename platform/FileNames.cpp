// The bare-name rule. Pure: it looks only at the name, never at the file system.
#include "platform/FileNames.h"

#include <cctype>
#include <cstring>

#include "platform/Files.h"

namespace platform {
namespace {

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, in any case and with any extension, open a
// device on Windows instead of a file in the folder.
bool isDeviceName(const char* name, std::size_t length) {
    const void* dot = std::memchr(name, '.', length);
    const std::size_t stem =
        dot ? static_cast<std::size_t>(static_cast<const char*>(dot) - name) : length;
    char upper[5] = {};
    if (stem < 3 || stem > 4) {
        return false;
    }
    for (std::size_t i = 0; i < stem; ++i) {
        upper[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
    }
    if (stem == 3) {
        return std::strcmp(upper, "CON") == 0 || std::strcmp(upper, "PRN") == 0 ||
               std::strcmp(upper, "AUX") == 0 || std::strcmp(upper, "NUL") == 0;
    }
    return (std::strncmp(upper, "COM", 3) == 0 || std::strncmp(upper, "LPT", 3) == 0) &&
           upper[3] >= '1' && upper[3] <= '9';
}

}  // namespace

const char* bareNameProblem(const char* name, std::size_t length) {
    if (length == 0) {
        return "the name is empty";
    }
    if (std::memchr(name, '\0', length) != nullptr) {
        return "the name holds a NUL byte";
    }
    // Both separators on every system: a file made on one system is read on the other.
    for (std::size_t i = 0; i < length; ++i) {
        if (name[i] == '/' || name[i] == '\\' || isPathSeparator(name[i])) {
            return "the name holds a path separator";
        }
    }
    // A colon names a drive ("C:x" is relative to that drive's folder) or a data stream on Windows.
    if (std::memchr(name, ':', length) != nullptr) {
        return "the name holds a colon";
    }
    if (isDeviceName(name, length)) {
        return "the name is a device on Windows";
    }
    if (length == 1 && name[0] == '.') {
        return "the name is \".\"";
    }
    for (std::size_t i = 0; i + 1 < length; ++i) {
        if (name[i] == '.' && name[i + 1] == '.') {
            return "the name holds \"..\"";
        }
    }
    return nullptr;
}

}  // namespace platform
