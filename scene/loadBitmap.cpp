// The BMP reader behind every texture: maps the file, checks its bytes and header (every header
// size tools write, BitmapFormat.h) and leaves the decoding of depths and encodings to the
// platform's bitmap converter. It trusts nothing in the file: sizes are checked before any buffer
// is sized from them.
#include "scene/loadBitmap.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <string>

#include "platform/BitmapDecoder.h"
#include "platform/BitmapFormat.h"
#include "platform/LittleEndian.h"
#include "platform/MappedFile.h"
#include "platform/MessageBox.h"
#include "platform/PrintableText.h"
#include "platform/Window.h"

namespace {

using namespace platform::bmp;

BitmapImage* fail(const char* text) {
    platform::messageBox(platform::getFocus(), text, "Error", platform::mbOk);
    return nullptr;
}

// The converter's padded BGR rows as tightly packed RGB rows, in the same order.
void copyRowsAsRgb(const platform::DecodedBitmap& decoded, std::int64_t width, std::int64_t rows,
                   unsigned char* pixels) {
    const std::size_t rowLength = static_cast<std::size_t>(width) * 3;
    for (std::int64_t y = 0; y < rows; ++y) {
        const unsigned char* source = decoded.rows + y * decoded.rowBytes;
        unsigned char* target = pixels + y * rowLength;
        for (std::int64_t x = 0; x < width; ++x) {
            target[x * 3 + 0] = source[x * 3 + 2];
            target[x * 3 + 1] = source[x * 3 + 1];
            target[x * 3 + 2] = source[x * 3 + 0];
        }
    }
}

}  // namespace

BitmapImage* loadBitmap(const char* path) {
    if (!path) return nullptr;

    // A file that is simply not there is no error worth a box: the texture stays empty.
    if (!platform::fileReadable(path)) return nullptr;

    platform::MappedFile file;
    if (!file.open(path)) {
        reportUnopenedBitmap(path);
        return nullptr;
    }
    return loadBitmapBytes(file.data(), file.size());
}

BitmapImage* loadBitmapBytes(const unsigned char* data, std::size_t size) {
    if (!data) return fail("Unknown DIB file format.");
    const bool hasFileHeader = size >= 2 && data[0] == 'B' && data[1] == 'M';
    const std::size_t headerAt = hasFileHeader ? fileHeaderSize : 0;
    if (size < headerAt + 4) return fail("Unknown DIB file format.");
    Layout layout;
    switch (readBitmapHeader(data + headerAt, size - headerAt, &layout)) {
        case HeaderCheck::unknownSize:
            return fail("Unknown DIB file format.");
        case HeaderCheck::unusable:
            return fail("Image file conversion error.");
        case HeaderCheck::usable:
            break;
    }
    const std::int64_t width = layout.width, rows = layout.rows();

    // Uncompressed rows must all be in the file; checking first keeps a lying header from
    // sizing buffers for pixels that are not there.
    std::size_t pixelOffset;
    if (hasFileHeader) {
        pixelOffset = platform::loadLE32(data + 10);
    } else {
        std::uint32_t tableEntries = layout.coloursUsed & 0xFFFF;
        if (tableEntries == 0 && layout.bitsPerPixel <= 8) tableEntries = 1u << layout.bitsPerPixel;
        pixelOffset = fileHeaderSize + layout.headerSize + layout.masksAfterHeader +
                      tableEntries * layout.entryBytes;
    }
    if (!layout.runLength()) {
        const std::uint64_t rowBytes =
            ((static_cast<std::uint64_t>(layout.bitsPerPixel) * width + 31) / 32) * 4;
        const std::uint64_t fileBytes = hasFileHeader ? size : size + fileHeaderSize;
        if (pixelOffset > fileBytes || rowBytes * rows > fileBytes - pixelOffset)
            return fail("Image file conversion error.");
    }

    // The converter reads whole files; a bare bitmap gets its file header put in front.
    unsigned char* withHeader = nullptr;
    const unsigned char* bytes = data;
    std::size_t byteCount = size;
    if (!hasFileHeader) {
        withHeader = new (std::nothrow) unsigned char[size + fileHeaderSize];
        if (!withHeader) return fail("Out of memory.");
        std::memset(withHeader, 0, fileHeaderSize);
        withHeader[0] = 'B';
        withHeader[1] = 'M';
        platform::storeLE32(static_cast<std::uint32_t>(size + fileHeaderSize), withHeader + 2);
        platform::storeLE32(static_cast<std::uint32_t>(pixelOffset), withHeader + 10);
        std::memcpy(withHeader + fileHeaderSize, data, size);
        bytes = withHeader;
        byteCount = size + fileHeaderSize;
    }

    platform::DecodedBitmap decoded;
    const bool converted = platform::decodeBitmapTo24(bytes, byteCount, &decoded);
    delete[] withHeader;
    if (!converted || decoded.width != width || decoded.height != rows) {
        platform::releaseDecodedBitmap(&decoded);
        return fail("Image file conversion error.");
    }

    const std::size_t rowLength = static_cast<std::size_t>(width) * 3;
    BitmapImage* image = new (std::nothrow) BitmapImage;
    unsigned char* pixels = new (std::nothrow) unsigned char[rowLength * rows];
    if (!image || !pixels) {
        delete image;
        delete[] pixels;
        platform::releaseDecodedBitmap(&decoded);
        return fail("Out of memory.");
    }
    copyRowsAsRgb(decoded, width, rows, pixels);
    platform::releaseDecodedBitmap(&decoded);

    image->width = static_cast<int>(width);
    image->height = static_cast<int>(rows);
    image->pixels = pixels;
    return image;
}

void reportUnopenedBitmap(const char* path) {
    // The path ends in a name read from a model file: escaped, it cannot drive the terminal.
    const std::string text = "Failed to open DIB file " + platform::printableText(path) + ".\n";
    fail(text.c_str());
}

void releaseBitmap(BitmapImage* image) {
    if (!image) return;
    delete[] image->pixels;
    delete image;
}
