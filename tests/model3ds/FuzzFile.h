// Fuzz harness helper: the readers take file paths, so each input is written to one scratch file
// per process (a random name, so parallel jobs do not share it), read back from there and removed
// when the process ends.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "platform/Files.h"

namespace fuzzing {

inline const std::string& scratchFile(const char* stem) {
    static char removeAtExit[512];  // plain storage: still there when the exit handler runs
    static const std::string path = [stem] {
        char folder[512];
        std::string p =
            platform::getTempPath(sizeof folder, folder) ? std::string(folder) : std::string();
        p += stem + std::to_string(std::random_device{}());
        std::snprintf(removeAtExit, sizeof removeAtExit, "%s", p.c_str());
        std::atexit([] { std::remove(removeAtExit); });
        return p;
    }();
    return path;
}

inline bool writeInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

}  // namespace fuzzing
