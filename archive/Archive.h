// The asset archive data.dat: opened read-only, its directory read whole, every entry copied piece
// by piece into a file of its own in a folder the caller made for this run, and every unpacked
// file deleted again when the archive object goes. It never creates or changes the archive, never
// writes outside the folder it is given, and shows no messages: the caller reads isValid(),
// error(), failedCount() and problems() and decides what the user sees.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "archive/ArchiveFormat.h"

class Archive {
public:
    // The most memory unpacking holds at once, whatever the size of an entry.
    static constexpr std::size_t copyBufferSize = 64 * 1024;

    // Opens the archive at path and reads its directory. Never creates a missing file, and refuses
    // without waiting anything but a regular file (a FIFO would hold the open for ever).
    explicit Archive(const char* path);
    // Deletes every file unpacked and not yet deleted or kept.
    virtual ~Archive();

    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    // False when the archive is missing, unreadable, or too short for its count and directory.
    bool isValid() const;
    // Why the archive is not valid, as a sentence for the user; empty when it is valid.
    const char* error() const;

    // Asked before each entry and between pieces of one; true stops unpacking.
    using StopRequest = bool (*)();

    // Unpacks every entry whose name and extent are sound into folder, a path that ends with its
    // separator, copying through a buffer of copyBufferSize bytes. Other entries are skipped; a
    // write that fails removes its half-written file. When stopRequested (may be null) answers
    // true, the file being written is removed and unpacking ends there.
    void extractAll(const char* folder, StopRequest stopRequested = nullptr);
    // True when extractAll ended early on a stop request.
    bool stopped() const;

    std::uint32_t count() const;
    // Entry index of the directory, offset and size in this machine's byte order.
    const ArchiveEntry& entry(std::uint32_t index) const;
    // Why entry index is not unpacked, or nullptr when it is.
    const char* entryProblem(std::uint32_t index) const;

    // Entries refused by entryProblem during extractAll.
    unsigned skippedCount() const;
    // Sound entries whose file could not be written.
    unsigned failedCount() const;
    // One line for each skipped or failed entry, naming it and saying why.
    const std::vector<std::string>& problems() const;
    // Full paths of the files unpacked so far, in unpacking order.
    const std::vector<std::string>& unpackedFiles() const;

    // Deletes the unpacked files not yet deleted (the destructor does the same), so the folder
    // they were unpacked into can be removed.
    void deleteUnpacked();
    // Leaves the unpacked files in place when the object goes (for a tool that extracts on
    // purpose).
    void keepUnpacked();

private:
    void unpack(const ArchiveEntry& item, const char* folder, unsigned char* buffer,
                StopRequest stopRequested);
    void fail(const ArchiveEntry& item, const std::string& path, const char* what, int errorNumber,
              const char* aftermath = "");

    std::unique_ptr<ArchiveEntry[]> entries;
    std::uint32_t entryCount = 0;
    std::FILE* archiveHandle = nullptr;
    std::uint64_t archiveSize = 0;
    std::string archivePath;
    std::string errorText;
    std::vector<std::string> unpackedPaths;
    // Files before this index in unpackedPaths are already deleted or kept.
    std::size_t settledCount = 0;
    unsigned skipped = 0;
    unsigned failed = 0;
    bool stopRequestSeen = false;
    std::vector<std::string> problemLines;
};
