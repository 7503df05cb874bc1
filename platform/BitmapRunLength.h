// Which pixels the run-length data of a BMP file paints. Decoders that start from the colour
// table's first entry use it to leave the pixels that end-of-line and delta escapes pass over
// black, as the system's own conversion leaves them.
#pragma once

#include <cstddef>
#include <vector>

namespace platform::bmp {

// Pixels x to x + count - 1 of row y (rows counted from the bottom) are painted.
struct PaintedSpan {
    int y;
    int x;
    int count;
};

// data: the run-length stream (RLE8, or RLE4 when fourBits). spans gets the stretches that runs
// and absolute blocks paint, in the order the pen makes them: the pen only moves right and up, so
// they come row by row from the bottom, left to right, and never overlap. There are at most half
// as many as the stream has bytes. The walk ends at the end-of-bitmap escape, at the end of the
// data, or when the pen leaves the image.
void markRunLengthPixels(const unsigned char* data, std::size_t size, int width, int rows,
                         bool fourBits, std::vector<PaintedSpan>& spans);

}  // namespace platform::bmp
