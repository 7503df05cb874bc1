#include "archive/WholeFile.h"

#include <cerrno>
#include <cstdio>

#include "platform/Files.h"

WholeFileResult writeWholeFile(const char* path, const std::vector<FilePiece>& pieces,
                               int& errorNumber) {
    errorNumber = 0;
    // "wb" truncates: a file already there keeps none of its old bytes.
    std::FILE* output = std::fopen(path, "wb");
    if (!output) {
        errorNumber = errno;
        return WholeFileResult::notCreated;
    }
    errno = 0;
    bool written = true;
    for (const FilePiece& piece : pieces) {
        if (piece.size > 0 && std::fwrite(piece.data, 1, piece.size, output) != piece.size) {
            written = false;
            break;
        }
    }
    errorNumber = written ? 0 : errno;
    // Buffered bytes reach the disk at fclose, so a full disk may only show here.
    if (std::fclose(output) != 0 && written) {
        written = false;
        errorNumber = errno;
    }
    if (!written) {
        platform::deleteFile(path);
        return WholeFileResult::notWritten;
    }
    return WholeFileResult::written;
}
