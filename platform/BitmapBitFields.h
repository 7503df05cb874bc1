// The one decoding of 16- and 32-bit bitmap pixels, used by every system's decoder, so that a
// texture with channel masks looks the same wherever it is loaded.
#pragma once

#include "platform/BitmapDecoder.h"
#include "platform/BitmapFormat.h"

namespace platform::bmp {

// file holds a whole 16- or 32-bit bitmap whose layout readFileLayout accepted. Each channel's
// bits, wherever its mask puts them, are widened to the 8-bit level nearest the same fraction of
// full scale: value x 255 / (2^bits - 1), rounded (a channel of 2^bits - 1 levels never lands
// half-way). An empty mask gives 0. Rows come out as BitmapDecoder.h describes; false only when
// memory runs out, out then left empty.
bool decodeBitFields(const unsigned char* file, const Layout& layout, DecodedBitmap* out);

}  // namespace platform::bmp
