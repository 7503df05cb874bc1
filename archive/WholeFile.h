// Writes a file whole or not at all, for everything the archive code puts on disk: piece by piece
// through a WholeFileWriter, or from pieces already in memory through writeWholeFile. A file whose
// write or close fails, or that is abandoned, is removed again.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

struct FilePiece {
    const void* data;
    std::size_t size;
};

enum class WholeFileResult { written, notCreated, notWritten };

class WholeFileWriter {
public:
    WholeFileWriter() = default;
    // An unfinished file is abandoned.
    ~WholeFileWriter();
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;

    // Creates (or truncates) path. False when it cannot: errorNumber() says why.
    bool create(const char* path);
    // Appends size bytes. False when the write fails: the file is removed then.
    bool write(const void* data, std::size_t size);
    // Closes the file, which is written once this returns written; a close that fails (a full disk
    // may only show here) removes it.
    WholeFileResult finish();
    // Closes and removes an unfinished file.
    void abandon();
    // The errno of the last failure, 0 when none.
    int errorNumber() const { return error; }

private:
    std::FILE* output = nullptr;
    std::string filePath;
    int error = 0;
};

// Creates (or truncates) path and writes the pieces in order, whole or not at all. errorNumber gets
// the errno of the failure (0 when none).
WholeFileResult writeWholeFile(const char* path, const std::vector<FilePiece>& pieces,
                               int& errorNumber);
