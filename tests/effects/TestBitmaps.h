// The flag's two textures, written as small 24-bit bitmaps by the tests themselves.
#pragma once

#include <string>

#include "tests/scene/BitmapFiles.h"

namespace effects_test {

// The cloth: an orange and white checkerboard crossed by a green diagonal, so its orientation
// and its waves are easy to see. Returns the file's path.
inline std::string writeClothBitmap() {
    return bitmaps::write("cloth.bmp", bitmaps::build(bitmaps::picture(64, 64, [](int x, int y) {
                              if (x - y < 6 && y - x < 6) return bitmaps::Rgb{40, 170, 60};
                              return ((x / 8) + (y / 8)) % 2 == 0 ? bitmaps::Rgb{240, 140, 20}
                                                                  : bitmaps::Rgb{240, 240, 240};
                          })));
}

// The pole: grey with darker rings.
inline std::string writePoleBitmap() {
    return bitmaps::write(
        "pole.bmp", bitmaps::build(bitmaps::picture(16, 16, [](int, int y) {
            return y % 4 == 0 ? bitmaps::Rgb{90, 90, 90} : bitmaps::Rgb{170, 170, 170};
        })));
}

}  // namespace effects_test
