// Reads data.dat's directory and unpacks its entries through one bounded buffer, so an entry of
// any size costs the same memory. Every check that keeps a hostile archive from writing outside the
// folder or reading past the file's end lives here (with the name rule in ArchiveFormat); nothing
// here shows a message, the caller decides that.

#include "archive/Archive.h"

#include <cerrno>
#include <cstring>
#include <new>

#include "archive/WholeFile.h"
#include "platform/Files.h"
#include "platform/LittleEndian.h"
#include "platform/PrintableText.h"

namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string describeErrno(int errorNumber) {
    return errorNumber != 0 ? std::string(": ") + std::strerror(errorNumber) : std::string();
}

}  // namespace

Archive::Archive(const char* path) : archivePath(path ? path : "") {
    // Read-only: an installation that cannot be written to must still run, and a missing
    // archive is reported rather than created.
    bool notRegular = false;
    archiveHandle = platform::openRegularFile(archivePath.c_str(), &notRegular);
    if (!archiveHandle) {
        errorText = "Cannot open the archive " + quoted(archivePath) +
                    (notRegular ? ": it is not a regular file" : describeErrno(errno)) + ".";
        return;
    }
    long end = -1;
    if (std::fseek(archiveHandle, 0, SEEK_END) == 0) {
        end = std::ftell(archiveHandle);
    }
    if (end < 0 || std::fseek(archiveHandle, 0, SEEK_SET) != 0) {
        errorText = "Cannot find the size of the archive " + quoted(archivePath) +
                    describeErrno(errno) + ".";
        return;
    }
    archiveSize = static_cast<std::uint64_t>(end);

    unsigned char countBytes[archiveformat::countSize];
    errno = 0;
    if (std::fread(countBytes, 1, sizeof countBytes, archiveHandle) != sizeof countBytes) {
        int readError = std::ferror(archiveHandle) ? errno : 0;
        errorText =
            readError != 0
                ? "Cannot read the archive " + quoted(archivePath) + describeErrno(readError) + "."
                : "The archive " + quoted(archivePath) + " is damaged: it is " +
                      std::to_string(archiveSize) + " bytes long, too short for its entry count.";
        return;
    }
    std::uint32_t count = platform::loadLE32(countBytes);

    // The directory must fit in the file before anything is allocated for it, so a damaged count
    // costs at most the file's own size in memory.
    std::uint64_t needed = archiveformat::directoryBytes(count);
    if (needed > archiveSize) {
        errorText = "The archive " + quoted(archivePath) + " is damaged: its directory of " +
                    std::to_string(count) + " entries needs " + std::to_string(needed) +
                    " bytes, but the file has " + std::to_string(archiveSize) + ".";
        return;
    }
    if (count == 0) {
        return;
    }
    std::unique_ptr<ArchiveEntry[]> directory(new (std::nothrow) ArchiveEntry[count]);
    if (!directory) {
        errorText =
            "Not enough memory for the directory of the archive " + quoted(archivePath) + ".";
        return;
    }
    errno = 0;
    if (std::fread(directory.get(), archiveformat::entrySize, count, archiveHandle) != count) {
        errorText = "Cannot read the directory of the archive " + quoted(archivePath) +
                    describeErrno(errno) + ".";
        return;
    }
    archiveformat::decodeEntries(reinterpret_cast<const unsigned char*>(directory.get()), count,
                                 directory.get());
    entries = std::move(directory);
    entryCount = count;
}

Archive::~Archive() {
    entries.reset();
    if (archiveHandle) {
        std::fclose(archiveHandle);
    }
    deleteUnpacked();
}

bool Archive::isValid() const {
    return errorText.empty();
}

const char* Archive::error() const {
    return errorText.c_str();
}

std::uint32_t Archive::count() const {
    return entryCount;
}

const ArchiveEntry& Archive::entry(std::uint32_t index) const {
    static const ArchiveEntry none{};
    return index < entryCount ? entries[index] : none;
}

const char* Archive::entryProblem(std::uint32_t index) const {
    if (index >= entryCount) {
        return "there is no such entry";
    }
    return archiveformat::entryProblem(entries[index], archiveSize);
}

void Archive::extractAll(const char* folder, StopRequest stopRequested) {
    if (!isValid() || !folder) {
        return;
    }
    std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[copyBufferSize]);
    for (std::uint32_t i = 0; i < entryCount && !stopRequestSeen; ++i) {
        // Asked per entry too: an archive of millions of empty entries takes long as well.
        if (stopRequested && stopRequested()) {
            stopRequestSeen = true;
            break;
        }
        if (const char* problem = entryProblem(i)) {
            ++skipped;
            problemLines.push_back("Skipped entry " + std::to_string(i) + " " +
                                   quoted(archiveformat::printableName(entries[i])) + ": " +
                                   problem + ".");
            continue;
        }
        if (!buffer) {
            fail(entries[i], std::string(folder) + entries[i].name, "not enough memory", 0);
            continue;
        }
        unpack(entries[i], folder, buffer.get(), stopRequested);
    }
}

bool Archive::stopped() const {
    return stopRequestSeen;
}

void Archive::unpack(const ArchiveEntry& item, const char* folder, unsigned char* buffer,
                     StopRequest stopRequested) {
    std::string path = std::string(folder) + item.name;
    errno = 0;
    // offset + size fits in the size ftell reported, so offset fits in a long.
    if (item.size > 0 && std::fseek(archiveHandle, static_cast<long>(item.offset), SEEK_SET) != 0) {
        fail(item, path, "cannot read its data from the archive", errno);
        return;
    }
    // Recorded before the file exists, so that no way out can leave it behind.
    unpackedPaths.push_back(path);
    WholeFileWriter output;
    if (!output.create(path.c_str())) {
        unpackedPaths.pop_back();
        fail(item, path, "cannot create the file", output.errorNumber());
        return;
    }
    // Exactly the entry's size; entryProblem has bounded it by the archive's size.
    std::uint32_t left = item.size;
    while (left > 0) {
        if (stopRequested && stopRequested()) {
            output.abandon();
            unpackedPaths.pop_back();
            stopRequestSeen = true;
            return;
        }
        const std::size_t piece = left < copyBufferSize ? left : copyBufferSize;
        errno = 0;
        if (std::fread(buffer, 1, piece, archiveHandle) != piece) {
            // The archive shrank since its directory was checked, or the disk failed.
            const int readError = std::ferror(archiveHandle) ? errno : 0;
            output.abandon();
            unpackedPaths.pop_back();
            fail(item, path, "cannot read its data from the archive", readError,
                 "; the partial file was removed");
            return;
        }
        if (!output.write(buffer, piece)) {
            unpackedPaths.pop_back();
            fail(item, path, "cannot write the file", output.errorNumber(),
                 "; the partial file was removed");
            return;
        }
        left -= static_cast<std::uint32_t>(piece);
    }
    if (output.finish() != WholeFileResult::written) {
        unpackedPaths.pop_back();
        fail(item, path, "cannot write the file", output.errorNumber(),
             "; the partial file was removed");
    }
}

void Archive::fail(const ArchiveEntry& item, const std::string& path, const char* what,
                   int errorNumber, const char* aftermath) {
    ++failed;
    // The path ends in the entry's name, which may hold any byte but the few the name rule refuses.
    problemLines.push_back("Could not unpack " + quoted(archiveformat::printableName(item)) +
                           " to " + quoted(platform::printableText(path)) + ": " + what +
                           describeErrno(errorNumber) + aftermath + ".");
}

unsigned Archive::skippedCount() const {
    return skipped;
}

unsigned Archive::failedCount() const {
    return failed;
}

const std::vector<std::string>& Archive::problems() const {
    return problemLines;
}

const std::vector<std::string>& Archive::unpackedFiles() const {
    return unpackedPaths;
}

void Archive::deleteUnpacked() {
    for (std::size_t i = settledCount; i < unpackedPaths.size(); ++i) {
        // A second entry of the same name finds its file already gone; that is fine.
        platform::deleteFile(unpackedPaths[i].c_str());
    }
    settledCount = unpackedPaths.size();
}

void Archive::keepUnpacked() {
    settledCount = unpackedPaths.size();
}
