// Writes a file whole or not at all, for everything the archive code puts on disk.
#pragma once

#include <cstddef>
#include <vector>

struct FilePiece {
    const void* data;
    std::size_t size;
};

enum class WholeFileResult { written, notCreated, notWritten };

// Creates (or truncates) path and writes the pieces in order. When a write or the final close
// fails, the partial file is removed. errorNumber gets the errno of the failure (0 when none).
WholeFileResult writeWholeFile(const char* path, const std::vector<FilePiece>& pieces,
                               int& errorNumber);
