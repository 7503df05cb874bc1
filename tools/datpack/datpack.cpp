// datpack: the command-line tool for data.dat archives (create, list, extract). It goes through
// the same reader and writer as the demo, so it refuses the same names and never writes outside
// the folder it extracts into.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "archive/Archive.h"
#include "archive/ArchiveWriter.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/PrintableText.h"

namespace {

constexpr int exitSuccess = 0;
constexpr int exitFailure = 1;
constexpr int exitUsage = 2;

const char* const usageText =
    "Usage:\n"
    "  datpack create ARCHIVE FILE...   pack the FILEs into ARCHIVE (replaced if present), each\n"
    "                                   under its base name, in the order given\n"
    "  datpack list ARCHIVE             print one line per entry: name, offset, size\n"
    "                                   (tab-separated; entries extract would skip say why)\n"
    "  datpack extract ARCHIVE DIR      unpack every entry into the existing folder DIR\n"
    "  datpack --help                   show this text\n"
    "\n"
    "Entry names are bare file names of 1 to 51 characters, not \".\", without '/', '\\' or "
    "\"..\".\n"
    "extract writes only such names, straight into DIR, replacing plain files of the same name;\n"
    "if DIR holds a symbolic link, folder or device under an entry's name, nothing is extracted.\n"
    "An entry whose name is unsafe or whose data lies past the end of the archive is skipped\n"
    "with a message on stderr; the other entries are still unpacked.\n"
    "\n"
    "Exit status: 0 on success; 1 when the archive or a file cannot be read or written, or when\n"
    "extract skipped or failed any entry; 2 on a usage error.\n";

int usageError(const char* text) {
    std::fprintf(stderr, "datpack: %s\n%s", text, usageText);
    return exitUsage;
}

bool readWholeFile(const char* path, std::vector<std::uint8_t>& data) {
    std::FILE* input = std::fopen(path, "rb");
    if (!input) {
        return false;
    }
    data.clear();
    unsigned char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, input)) > 0) {
        data.insert(data.end(), buffer, buffer + got);
    }
    bool ok = !std::ferror(input);
    std::fclose(input);
    return ok;
}

// True when path is missing or a plain file (through links): what a failed write may remove.
bool isPlainFileOrMissing(const std::string& path, bool followLinks) {
    std::error_code status;
    std::filesystem::file_status found = followLinks
                                             ? std::filesystem::status(path, status)
                                             : std::filesystem::symlink_status(path, status);
    return found.type() == std::filesystem::file_type::not_found ||
           found.type() == std::filesystem::file_type::regular;
}

std::string baseName(const std::string& path) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '/' || path[i] == '\\' || platform::isPathSeparator(path[i])) {
            start = i + 1;
        }
    }
    return path.substr(start);
}

int create(const char* archivePath, int fileCount, char** files) {
    // Every input is read before the archive is opened, so ARCHIVE may be among the FILEs.
    std::vector<ArchiveInput> inputs;
    for (int i = 0; i < fileCount; ++i) {
        ArchiveInput input;
        input.name = baseName(files[i]);
        if (!readWholeFile(files[i], input.data)) {
            std::fprintf(stderr, "datpack: cannot read \"%s\": %s\n", files[i],
                         std::strerror(errno));
            return exitFailure;
        }
        inputs.push_back(std::move(input));
    }
    // A failed write removes its output, which must never be a device or a folder.
    if (!isPlainFileOrMissing(archivePath, true)) {
        std::fprintf(stderr, "datpack: \"%s\" is not a plain file\n", archivePath);
        return exitFailure;
    }
    std::string error;
    if (!writeArchive(archivePath, inputs, &error)) {
        std::fprintf(stderr, "datpack: %s\n", error.c_str());
        return exitFailure;
    }
    return exitSuccess;
}

int list(const char* archivePath) {
    Archive archive(archivePath);
    if (!archive.isValid()) {
        std::fprintf(stderr, "datpack: %s\n", archive.error());
        return exitFailure;
    }
    for (std::uint32_t i = 0; i < archive.count(); ++i) {
        const ArchiveEntry& item = archive.entry(i);
        std::printf("%s\t%u\t%u", archiveformat::printableName(item).c_str(), unsigned(item.offset),
                    unsigned(item.size));
        if (const char* problem = archive.entryProblem(i)) {
            std::printf("\t(not extracted: %s)", problem);
        }
        std::printf("\n");
    }
    return std::fflush(stdout) == 0 ? exitSuccess : exitFailure;
}

int extract(const char* archivePath, const char* folderArgument) {
    std::error_code status;
    if (!std::filesystem::is_directory(folderArgument, status)) {
        std::fprintf(stderr, "datpack: \"%s\" is not an existing folder\n", folderArgument);
        return exitFailure;
    }
    Archive archive(archivePath);
    if (!archive.isValid()) {
        std::fprintf(stderr, "datpack: %s\n", archive.error());
        return exitFailure;
    }
    std::string folder = folderArgument;
    if (folder.empty() || !platform::isPathSeparator(folder.back())) {
        folder += platform::pathSeparator;
    }
    // Unlike the demo's private folder, DIR may already hold files under the entries' names: a
    // link would carry the write outside DIR, and a device or folder is nothing to overwrite.
    for (std::uint32_t i = 0; i < archive.count(); ++i) {
        if (!archive.entryProblem(i) &&
            !isPlainFileOrMissing(folder + archive.entry(i).name, false)) {
            std::fprintf(
                stderr,
                "datpack: \"%s%s\" is a symbolic link or not a plain file; nothing was extracted\n",
                platform::printableText(folder).c_str(),
                archiveformat::printableName(archive.entry(i)).c_str());
            return exitFailure;
        }
    }
    archive.extractAll(folder.c_str());
    archive.keepUnpacked();
    for (const std::string& line : archive.problems()) {
        std::fprintf(stderr, "datpack: %s\n", line.c_str());
    }
    if (archive.skippedCount() + archive.failedCount() > 0) {
        std::fprintf(stderr, "datpack: %u of %u entries were not extracted\n",
                     archive.skippedCount() + archive.failedCount(), unsigned(archive.count()));
        return exitFailure;
    }
    return exitSuccess;
}

}  // namespace

int main(int argc, char** argv) {
    platform::suppressDialogs();  // a tool's problems go to stderr, never into a box
    if (argc < 2) {
        return usageError("no command given");
    }
    std::string command = argv[1];
    if (command == "--help" || command == "-h") {
        std::fputs(usageText, stdout);
        return exitSuccess;
    }
    if (command == "create") {
        if (argc < 4) {
            return usageError("create needs an ARCHIVE and at least one FILE");
        }
        return create(argv[2], argc - 3, argv + 3);
    }
    if (command == "list") {
        if (argc != 3) {
            return usageError("list needs exactly one ARCHIVE");
        }
        return list(argv[2]);
    }
    if (command == "extract") {
        if (argc != 4) {
            return usageError("extract needs an ARCHIVE and a DIR");
        }
        return extract(argv[2], argv[3]);
    }
    return usageError(("unknown command \"" + command + "\"").c_str());
}
