// Writes data.dat: the count, the directory and the entries' bytes right after it, in the order
// given. Used by datpack and the asset generator. It refuses every name the reader would refuse,
// so whatever it writes unpacks whole; it never leaves a half-written archive behind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ArchiveInput {
    std::string name;
    std::vector<std::uint8_t> data;
};

// Writes inputs to archivePath, replacing any file there. On failure returns false, removes what
// it wrote and, when error is given, stores a sentence saying why.
bool writeArchive(const std::string& archivePath, const std::vector<ArchiveInput>& inputs,
                  std::string* error);
