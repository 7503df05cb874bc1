// Helpers for the archive tests: a private scratch folder removed with its contents, whole-file
// reads and writes, and archives built byte by byte (so the reader is not only fed by our writer).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/Files.h"

namespace archivetest {

using Bytes = std::vector<std::uint8_t>;

class ScratchFolder {
public:
    ScratchFolder() {
        char temp[512], made[512];
        if (platform::getTempPath(sizeof temp, temp) &&
            platform::makePrivateFolder(temp, "orbek-archive-test-", sizeof made, made)) {
            folder = made;
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    const std::string& path() const { return folder; }  // with its trailing separator
    std::string operator/(const std::string& name) const { return folder + name; }
    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& item : std::filesystem::directory_iterator(folder)) {
            found.insert(item.path().filename().string());
        }
        return found;
    }

private:
    std::string folder;
};

inline bool writeBytes(const std::string& path, const Bytes& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool ok =
        file && (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    return file && std::fclose(file) == 0 && ok;
}

inline Bytes readBytes(const std::string& path) {
    Bytes bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        for (int c; (c = std::fgetc(file)) != EOF;) {
            bytes.push_back(static_cast<std::uint8_t>(c));
        }
        std::fclose(file);
    }
    return bytes;
}

inline Bytes textBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// A directory entry spelled out byte for byte; a name of 52 characters gets no NUL.
struct RawEntry {
    std::string name;
    std::uint32_t offset, size;
};

inline Bytes rawArchive(std::uint32_t count, const std::vector<RawEntry>& directory,
                        const Bytes& tail = {}) {
    Bytes bytes;
    auto put32 = [&bytes](std::uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    put32(count);
    for (const RawEntry& entry : directory) {
        std::uint8_t name[52] = {};
        std::memcpy(name, entry.name.data(), std::min<std::size_t>(entry.name.size(), 52));
        bytes.insert(bytes.end(), name, name + 52);
        put32(entry.offset);
        put32(entry.size);
    }
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

}  // namespace archivetest
