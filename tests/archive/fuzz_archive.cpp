// libFuzzer harness for the archive's directory: any bytes as data.dat, read in memory through the
// same count, directory and entry rules the archive applies to the file. Every entry the rules let
// through must name a plain file inside the unpacking folder and lie wholly inside the archive.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "archive/ArchiveFormat.h"
#include "platform/LittleEndian.h"

namespace {

void finding(const char* what, const ArchiveEntry& entry) {
    std::fprintf(stderr, "entry %s: %s\n", archiveformat::printableName(entry).c_str(), what);
    std::abort();
}

// What the name rule promises for a name it accepts, checked without the rule's own code.
void checkAcceptedName(const ArchiveEntry& entry) {
    const std::size_t length = std::strlen(entry.name);
    if (length == 0 || length > archiveformat::maxNameLength) finding("bad length accepted", entry);
    if (std::strpbrk(entry.name, "/\\:") != nullptr) finding("separator accepted", entry);
    if (std::strstr(entry.name, "..") != nullptr || std::strcmp(entry.name, ".") == 0)
        finding("dot name accepted", entry);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < archiveformat::countSize) return 0;
    const std::uint32_t count = platform::loadLE32(data);
    // The archive refuses a directory that does not fit in the file before allocating for it.
    if (archiveformat::directoryBytes(count) > size) return 0;
    std::vector<ArchiveEntry> entries(count);
    archiveformat::decodeEntries(data + archiveformat::countSize, count, entries.data());
    for (const ArchiveEntry& entry : entries) {
        const std::string printable = archiveformat::printableName(entry);
        for (const char c : printable) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) finding("control byte", entry);
        }
        if (archiveformat::entryProblem(entry, size) != nullptr) continue;
        checkAcceptedName(entry);
        if (std::uint64_t(entry.offset) + entry.size > size) finding("extent past the end", entry);
    }
    return 0;
}
