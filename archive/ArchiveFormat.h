// The layout of data.dat shared by its reader and its writer: sizes and the rule for
// which entry names may become files. Both sides use the same rule so that nothing we pack is
// refused on unpacking and nothing we unpack can leave the folder it is unpacked into.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One directory entry as it lies in the file (offset and size little-endian there).
struct ArchiveEntry {
    char name[52];
    std::uint32_t offset;
    std::uint32_t size;
};

namespace archiveformat {

constexpr std::size_t countSize = 4;
constexpr std::size_t entrySize = 60;
constexpr std::size_t nameSize = 52;
// The name must leave room for its terminating NUL.
constexpr std::size_t maxNameLength = nameSize - 1;

// Why a name of length bytes cannot become a file in the unpacking folder, or nullptr when it can:
// names longer than the field allows, and whatever the bare-name rule (platform/FileNames.h)
// refuses.
const char* nameProblem(const char* name, std::size_t length);

// The name field of an entry, cut at its NUL (or at 52 bytes), escaped by printableText
// (platform/PrintableText.h) so that it can go to a terminal or a message.
std::string printableName(const ArchiveEntry& entry);

}  // namespace archiveformat
