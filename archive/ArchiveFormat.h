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

// Bytes the entry count and a directory of count entries take at the start of the archive.
constexpr std::uint64_t directoryBytes(std::uint32_t count) {
    return countSize + std::uint64_t(count) * entrySize;
}

// Turns count entries as the file stores them (raw, entrySize bytes each) into entries with
// offset and size in this machine's byte order. raw may be the entries' own storage.
void decodeEntries(const unsigned char* raw, std::uint32_t count, ArchiveEntry* entries);

// Why an entry of an archive of archiveSize bytes cannot be unpacked (its name, or an extent past
// the end), or nullptr when it can.
const char* entryProblem(const ArchiveEntry& entry, std::uint64_t archiveSize);

// Why a name of length bytes cannot become a file in the unpacking folder, or nullptr when it can:
// names longer than the field allows, and whatever the bare-name rule (platform/FileNames.h)
// refuses.
const char* nameProblem(const char* name, std::size_t length);

// The name field of an entry, cut at its NUL (or at 52 bytes), escaped by printableText
// (platform/PrintableText.h) so that it can go to a terminal or a message.
std::string printableName(const ArchiveEntry& entry);

}  // namespace archiveformat
