// Which pixels the run-length data of a BMP file paints. Decoders that start from the colour
// table's first entry use it to leave the pixels that end-of-line and delta escapes pass over
// black, as the system's own conversion leaves them.
#pragma once

#include <cstddef>
#include <vector>

namespace platform::bmp {

// data: the run-length stream (RLE8, or RLE4 when fourBits). painted gets width x rows flags,
// bottom row first, true where a run or an absolute block puts a pixel. The walk ends at the
// end-of-bitmap escape, at the end of the data, or when the pen leaves the image.
void markRunLengthPixels(const unsigned char* data, std::size_t size, int width, int rows,
                         bool fourBits, std::vector<bool>& painted);

}  // namespace platform::bmp
