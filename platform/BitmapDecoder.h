// Conversion of a whole Windows bitmap file in memory to a 24-bit image, whatever its depth and
// encoding (1, 4, 8, 16, 24, 32 bits per pixel, RLE4/RLE8, info and core headers, top-down rows).
// The result always has the system's device-independent layout: blue, green, red per pixel, rows
// bottom-up, each row padded to a multiple of 4 bytes.
#pragma once

#include <cstddef>

namespace platform {

struct DecodedBitmap {
    int width = 0;
    int height = 0;    // always positive: rows come bottom-up
    int rowBytes = 0;  // width * 3 rounded up to a multiple of 4
    unsigned char* rows = nullptr;
};

// fileBytes is a complete file starting with "BM". False when it cannot be decoded; out is then
// left empty.
bool decodeBitmapTo24(const unsigned char* fileBytes, std::size_t size, DecodedBitmap* out);
void releaseDecodedBitmap(DecodedBitmap* bitmap);

}  // namespace platform
