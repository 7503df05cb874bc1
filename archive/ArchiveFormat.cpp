// Byte order, the entry rules and printable names for data.dat. Pure functions on bytes in memory:
// no file access, so the archive's fuzz harness runs them directly.

#include "archive/ArchiveFormat.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "platform/Files.h"
#include "platform/LittleEndian.h"

static_assert(sizeof(ArchiveEntry) == archiveformat::entrySize, "directory entries are 60 bytes");
static_assert(offsetof(ArchiveEntry, offset) == 52 && offsetof(ArchiveEntry, size) == 56,
              "entry fields sit where the file has them");

namespace archiveformat {

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

void decodeEntries(const unsigned char* raw, std::uint32_t count, ArchiveEntry* entries) {
    for (std::uint32_t i = 0; i < count; ++i) {
        const unsigned char* from = raw + std::size_t(i) * entrySize;
        const std::uint32_t offset = platform::loadLE32(from + nameSize);
        const std::uint32_t size = platform::loadLE32(from + nameSize + 4);
        std::memmove(entries[i].name, from, nameSize);
        entries[i].offset = offset;
        entries[i].size = size;
    }
}

const char* entryProblem(const ArchiveEntry& entry, std::uint64_t archiveSize) {
    const void* end = std::memchr(entry.name, '\0', nameSize);
    if (!end) {
        return "the name has no terminating NUL within its 52 bytes";
    }
    if (const char* problem = nameProblem(entry.name, static_cast<const char*>(end) - entry.name)) {
        return problem;
    }
    if (std::uint64_t(entry.offset) + entry.size > archiveSize) {
        return "its data reaches past the end of the archive";
    }
    return nullptr;
}

const char* nameProblem(const char* name, std::size_t length) {
    if (length == 0) {
        return "the name is empty";
    }
    if (length > maxNameLength) {
        return "the name is longer than 51 characters";
    }
    if (std::memchr(name, '\0', length) != nullptr) {
        return "the name holds a NUL byte";
    }
    // Both separators on every system: an archive made on one system is unpacked on the other.
    for (std::size_t i = 0; i < length; ++i) {
        if (name[i] == '/' || name[i] == '\\' || platform::isPathSeparator(name[i])) {
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

std::string printableName(const ArchiveEntry& entry) {
    const void* end = std::memchr(entry.name, '\0', nameSize);
    std::size_t length = end ? static_cast<const char*>(end) - entry.name : nameSize;
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(entry.name[i]);
        if (c < 0x20 || c >= 0x7f || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            text += escaped;
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

}  // namespace archiveformat
