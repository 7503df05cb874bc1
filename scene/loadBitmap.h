// Reading Windows bitmap files into packed 24-bit RGB images for texture upload. Every failure
// after the file was found is reported in one "Error" message box; a missing file is silent.
#pragma once

#include <cstddef>

struct BitmapImage {
    int width;
    int height;             // positive: the bottom row comes first, whatever the file's order
    unsigned char* pixels;  // width * height * 3 bytes, red, green, blue, rows without padding
};

BitmapImage* loadBitmap(const char* path);
// The box loadBitmap shows for a file it found but cannot open or map; also for a path refused
// before it reaches the file system. The path is escaped for the terminal.
void reportUnopenedBitmap(const char* path);
// The same for a whole file already in memory (with or without its 14-byte file header); the
// same messages, but for the file that cannot be opened.
BitmapImage* loadBitmapBytes(const unsigned char* bytes, std::size_t size);
// Frees the pixels, then the record.
void releaseBitmap(BitmapImage* image);
