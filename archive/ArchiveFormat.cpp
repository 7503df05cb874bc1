// The entry-name rule and printable names for data.dat. Pure functions: no file access.

#include "archive/ArchiveFormat.h"

#include <cstring>

#include "platform/FileNames.h"
#include "platform/PrintableText.h"

static_assert(sizeof(ArchiveEntry) == archiveformat::entrySize, "directory entries are 60 bytes");
static_assert(offsetof(ArchiveEntry, offset) == 52 && offsetof(ArchiveEntry, size) == 56,
              "entry fields sit where the file has them");

namespace archiveformat {

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
