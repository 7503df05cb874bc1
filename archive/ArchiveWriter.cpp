// Lays out and writes a data.dat archive. Offsets are absolute and must fit the format's 32 bits.

#include "archive/ArchiveWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "archive/ArchiveFormat.h"
#include "platform/Files.h"

namespace {

constexpr std::uint64_t maxField = 0xFFFFFFFFu;

bool refuse(std::string* error, const std::string& text)
{
    if (error) {
        *error = text;
    }
    return false;
}

}  // namespace

bool writeArchive(const std::string& archivePath, const std::vector<ArchiveInput>& inputs, std::string* error)
{
    if (inputs.size() > (maxField - archiveformat::countSize) / archiveformat::entrySize) {
        return refuse(error, "Too many entries for one archive.");
    }
    std::vector<unsigned char> head(archiveformat::countSize + inputs.size() * archiveformat::entrySize, 0);
    archiveformat::writeLittleEndian(static_cast<std::uint32_t>(inputs.size()), head.data());

    std::uint64_t offset = head.size();
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const ArchiveInput& input = inputs[i];
        if (const char* problem = archiveformat::nameProblem(input.name.data(), input.name.size())) {
            return refuse(error, "Cannot pack \"" + input.name + "\": " + problem + ".");
        }
        if (offset > maxField || input.data.size() > maxField) {
            return refuse(error, "Cannot pack \"" + input.name + "\": the archive would pass 4 GiB.");
        }
        unsigned char* field = head.data() + archiveformat::countSize + i * archiveformat::entrySize;
        std::memcpy(field, input.name.data(), input.name.size());
        archiveformat::writeLittleEndian(static_cast<std::uint32_t>(offset), field + archiveformat::nameSize);
        archiveformat::writeLittleEndian(static_cast<std::uint32_t>(input.data.size()),
                                         field + archiveformat::nameSize + 4);
        offset += input.data.size();
    }

    std::FILE* output = std::fopen(archivePath.c_str(), "wb");
    if (!output) {
        return refuse(error, "Cannot create \"" + archivePath + "\": " + std::strerror(errno) + ".");
    }
    errno = 0;
    bool written = std::fwrite(head.data(), 1, head.size(), output) == head.size();
    for (std::size_t i = 0; written && i < inputs.size(); ++i) {
        const std::vector<std::uint8_t>& data = inputs[i].data;
        written = data.empty() || std::fwrite(data.data(), 1, data.size(), output) == data.size();
    }
    int writeError = errno;
    if (std::fclose(output) != 0 && written) {
        written = false;
        writeError = errno;
    }
    if (!written) {
        platform::deleteFile(archivePath.c_str());
        return refuse(error, "Cannot write \"" + archivePath + "\"" +
                                 (writeError != 0 ? std::string(": ") + std::strerror(writeError) : std::string()) +
                                 "; the partial file was removed.");
    }
    return true;
}
