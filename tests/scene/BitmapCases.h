// The bitmap files that every system's reader must read alike, made here: each header version with
// each depth and encoding it may carry, unusual channel masks, how short channels widen, and the
// files that are refused, each with the picture or the message expected of it.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct BitmapCase {
    std::string name;  // letters, digits and underscores: it names a test
    std::vector<std::uint8_t> file;
    // The picture expected, bottom row first, red, green, blue, rows without padding; a width of
    // 0 when the file is refused with message.
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    std::string message;

    bool hasFileHeader() const { return file.size() >= 2 && file[0] == 'B' && file[1] == 'M'; }
};

std::vector<BitmapCase> sharedBitmapCases();

// GoogleTest names a failing case by this rather than dumping its bytes.
inline void PrintTo(const BitmapCase& c, std::ostream* out) {
    *out << c.name;
}
