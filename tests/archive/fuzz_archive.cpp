// libFuzzer harness for the archive reader: any bytes as data.dat are unpacked into a fresh
// private folder, and destroying the archive must leave that folder empty.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "archive/Archive.h"
#include "platform/Files.h"

namespace {

std::string scratchFolder(const char* prefix) {
    char temp[512];
    char made[512];
    if (platform::getTempPath(sizeof temp, temp) == 0 ||
        platform::makePrivateFolder(temp, prefix, sizeof made, made) == 0) {
        std::abort();
    }
    return made;
}

std::string inputFolder;

void removeInputFolder() {
    platform::deleteFile((inputFolder + "data.dat").c_str());
    platform::removeFolder(inputFolder.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (inputFolder.empty()) {
        inputFolder = scratchFolder("orbek-fuzz-input-");
        std::atexit(removeInputFolder);
    }
    const std::string archivePath = inputFolder + "data.dat";
    std::FILE* file = std::fopen(archivePath.c_str(), "wb");
    if (!file || (size > 0 && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) {
        std::abort();
    }

    const std::string out = scratchFolder("orbek-fuzz-out-");
    {
        Archive archive(archivePath.c_str());
        archive.extractAll(out.c_str());
        for (std::uint32_t i = 0; i < archive.count(); ++i) {
            archive.entryProblem(i);
        }
    }
    // removeFolder only succeeds on an empty folder: anything left behind is a finding.
    if (!platform::removeFolder(out.c_str())) {
        std::fprintf(stderr, "unpacked files were left in %s\n", out.c_str());
        std::abort();
    }
    platform::deleteFile(archivePath.c_str());
    return 0;
}
