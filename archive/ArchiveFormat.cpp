// Byte order, the entry rules and printable names for data.dat. Pure functions on bytes in memory:
// no file access, so the archive's fuzz harness runs them directly.

#include "archive/ArchiveFormat.h"

#include <cstring>

#include "platform/FileNames.h"
#include "platform/LittleEndian.h"
#include "platform/PrintableText.h"

static_assert(sizeof(ArchiveEntry) == archiveformat::entrySize, "directory entries are 60 bytes");
static_assert(offsetof(ArchiveEntry, offset) == 52 && offsetof(ArchiveEntry, size) == 56,
              "entry fields sit where the file has them");

namespace archiveformat {

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
    if (length > maxNameLength) {
        return "the name is longer than 51 characters";
    }
    return platform::bareNameProblem(name, length);
}

std::string printableName(const ArchiveEntry& entry) {
    const void* end = std::memchr(entry.name, '\0', nameSize);
    std::size_t length = end ? static_cast<const char*>(end) - entry.name : nameSize;
    return platform::printableText(entry.name, length);
}

}  // namespace archiveformat
