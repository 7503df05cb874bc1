// Whole-or-nothing files on top of stdio; the removal of a partial file goes through the platform.
#include "archive/WholeFile.h"

#include <cerrno>

#include "platform/Files.h"

WholeFileWriter::~WholeFileWriter() {
    abandon();
}

bool WholeFileWriter::create(const char* path) {
    abandon();
    error = 0;
    // "wb" truncates: a file already there keeps none of its old bytes.
    output = std::fopen(path, "wb");
    if (!output) {
        error = errno;
        return false;
    }
    filePath = path;
    return true;
}

bool WholeFileWriter::write(const void* data, std::size_t size) {
    if (!output) return false;
    errno = 0;
    if (size > 0 && std::fwrite(data, 1, size, output) != size) {
        const int failure = errno;
        abandon();
        error = failure;
        return false;
    }
    return true;
}

WholeFileResult WholeFileWriter::finish() {
    if (!output) return WholeFileResult::notWritten;
    // Buffered bytes reach the disk at fclose, so a full disk may only show here.
    const bool closed = std::fclose(output) == 0;
    output = nullptr;
    if (!closed) {
        error = errno;
        platform::deleteFile(filePath.c_str());
        return WholeFileResult::notWritten;
    }
    return WholeFileResult::written;
}

void WholeFileWriter::abandon() {
    if (!output) return;
    std::fclose(output);
    output = nullptr;
    platform::deleteFile(filePath.c_str());
}

WholeFileResult writeWholeFile(const char* path, const std::vector<FilePiece>& pieces,
                               int& errorNumber) {
    WholeFileWriter writer;
    if (!writer.create(path)) {
        errorNumber = writer.errorNumber();
        return WholeFileResult::notCreated;
    }
    for (const FilePiece& piece : pieces) {
        if (!writer.write(piece.data, piece.size)) {
            errorNumber = writer.errorNumber();
            return WholeFileResult::notWritten;
        }
    }
    const WholeFileResult result = writer.finish();
    errorNumber = writer.errorNumber();
    return result;
}
