// Lays out and writes a data.dat archive. Offsets are absolute and must fit the format's 32 bits.

#include "archive/ArchiveWriter.h"

#include <cstring>

#include "archive/ArchiveFormat.h"
#include "archive/WholeFile.h"
#include "platform/LittleEndian.h"

namespace {

constexpr std::uint64_t maxField = 0xFFFFFFFFu;

bool refuse(std::string* error, const std::string& text) {
    if (error) {
        *error = text;
    }
    return false;
}

}  // namespace

bool writeArchive(const std::string& archivePath, const std::vector<ArchiveInput>& inputs,
                  std::string* error) {
    if (inputs.size() > (maxField - archiveformat::countSize) / archiveformat::entrySize) {
        return refuse(error, "Too many entries for one archive.");
    }
    std::vector<unsigned char> head(
        archiveformat::countSize + inputs.size() * archiveformat::entrySize, 0);
    platform::storeLE32(static_cast<std::uint32_t>(inputs.size()), head.data());

    std::uint64_t offset = head.size();
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const ArchiveInput& input = inputs[i];
        if (const char* problem =
                archiveformat::nameProblem(input.name.data(), input.name.size())) {
            return refuse(error, "Cannot pack \"" + input.name + "\": " + problem + ".");
        }
        if (offset > maxField || input.data.size() > maxField) {
            return refuse(error,
                          "Cannot pack \"" + input.name + "\": the archive would pass 4 GiB.");
        }
        unsigned char* field =
            head.data() + archiveformat::countSize + i * archiveformat::entrySize;
        std::memcpy(field, input.name.data(), input.name.size());
        platform::storeLE32(static_cast<std::uint32_t>(offset), field + archiveformat::nameSize);
        platform::storeLE32(static_cast<std::uint32_t>(input.data.size()),
                            field + archiveformat::nameSize + 4);
        offset += input.data.size();
    }

    std::vector<FilePiece> pieces{{head.data(), head.size()}};
    for (const ArchiveInput& input : inputs) {
        pieces.push_back({input.data.data(), input.data.size()});
    }
    int errorNumber = 0;
    switch (writeWholeFile(archivePath.c_str(), pieces, errorNumber)) {
        case WholeFileResult::written:
            break;
        case WholeFileResult::notCreated:
            return refuse(error, "Cannot create \"" + archivePath +
                                     "\": " + std::strerror(errorNumber) + ".");
        case WholeFileResult::notWritten:
            return refuse(error,
                          "Cannot write \"" + archivePath + "\"" +
                              (errorNumber != 0 ? std::string(": ") + std::strerror(errorNumber)
                                                : std::string()) +
                              "; the partial file was removed.");
    }
    return true;
}
