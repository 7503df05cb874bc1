// The shared bitmap cases (BitmapCases.h), built from one small picture and a few rows of chosen
// pixel values, so that every expected pixel is the colour asked for, never what a decoder made.
#include "BitmapCases.h"

#include <utility>

#include "BitmapFiles.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Masks = std::vector<std::uint32_t>;

struct Colour {
    std::uint8_t red, green, blue;
};

// Colours whose channels are each off or full, so that they come out exact at any channel width:
// black, red, green, blue, yellow, cyan, magenta, white.
const Colour colours[8] = {{0, 0, 0},     {255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                           {255, 255, 0}, {0, 255, 255}, {255, 0, 255}, {255, 255, 255}};

// Colour numbers, top row first. Five columns leave padding at the end of the rows of every depth;
// the rows give run-length data runs, single pixels and a stretch of different ones.
constexpr int pictureWidth = 5;
constexpr int pictureHeight = 3;
const int picture[pictureHeight][pictureWidth] = {
    {1, 2, 3, 7, 0}, {4, 4, 4, 5, 6}, {0, 0, 2, 2, 1}};

constexpr std::uint32_t rgb = 0, rle8 = 1, rle4 = 2, bitfields = 3;
const std::string unknown = "Unknown DIB file format.";
const std::string conversion = "Image file conversion error.";

// A header size, depth, encoding and, for bit-fields, the red, green, blue (and alpha) masks.
struct Kind {
    std::uint32_t headerSize;
    int bits;
    std::uint32_t compression;
    Masks masks;
};

bool paletted(int bits) {
    return bits <= 8;
}

// Where a colour number sits in the colour table: 1 bit holds black and red, 4 bits the eight
// colours in order, and 8 bits spreads them over the table.
int tableIndex(int bits, int colour) {
    return bits == 1 ? colour & 1 : bits == 4 ? colour : colour * 37 % 256;
}

Colour shown(int bits, int colour) {
    return colours[bits == 1 ? colour & 1 : colour];
}

// A full table; entries no pixel uses are grey.
Bytes colourTable(int bits, std::size_t entryBytes) {
    const int entries = 1 << bits;
    Bytes table;
    for (int i = 0; i < entries; ++i) {
        Colour c{64, 64, 64};
        for (int n = 0; n < (bits == 1 ? 2 : 8); ++n)
            if (tableIndex(bits, n) == i) c = colours[n];
        table.insert(table.end(), {c.blue, c.green, c.red});
        if (entryBytes == 4) table.push_back(0);
    }
    return table;
}

// The picture's rows in the order stored: bottom-up, or top-down for a negative height.
const int* storedRow(int index, bool topDown) {
    return picture[topDown ? index : pictureHeight - 1 - index];
}

void padRow(Bytes& out, std::size_t rowStart) {
    while ((out.size() - rowStart) % 4 != 0) out.push_back(0);
}

Bytes indexRows(int bits, bool topDown) {
    Bytes out;
    for (int y = 0; y < pictureHeight; ++y) {
        const std::size_t start = out.size();
        const int* row = storedRow(y, topDown);
        int byte = 0, filled = 0;
        for (int x = 0; x < pictureWidth; ++x) {
            byte = byte << bits | tableIndex(bits, row[x]);
            filled += bits;
            if (filled == 8) {
                out.push_back(static_cast<std::uint8_t>(byte));
                byte = filled = 0;
            }
        }
        if (filled > 0) out.push_back(static_cast<std::uint8_t>(byte << (8 - filled)));
        padRow(out, start);
    }
    return out;
}

// Run-length data: two or more equal pixels as a run, three or more different ones as an absolute
// block (padded to a 16-bit word), anything else as runs of one; end of line after each row but
// the last, then end of bitmap.
Bytes runLength(int bits) {
    Bytes out;
    const auto pack = [bits](const int* values, int count) {
        Bytes packed;
        for (int k = 0; k < count; ++k) {
            const int index = tableIndex(bits, values[k]);
            if (bits == 8)
                packed.push_back(static_cast<std::uint8_t>(index));
            else if (k % 2 == 0)
                packed.push_back(static_cast<std::uint8_t>(index << 4));
            else
                packed.back() |= static_cast<std::uint8_t>(index);
        }
        return packed;
    };
    for (int y = 0; y < pictureHeight; ++y) {
        const int* row = storedRow(y, false);
        int x = 0;
        while (x < pictureWidth) {
            int run = 1;
            while (x + run < pictureWidth && row[x + run] == row[x]) ++run;
            if (run >= 2) {
                const int repeated[2] = {row[x], row[x]};
                out.push_back(static_cast<std::uint8_t>(run));
                out.push_back(pack(repeated, 2)[0]);
                x += run;
                continue;
            }
            int end = x + 1;
            while (end < pictureWidth && (end + 1 >= pictureWidth || row[end + 1] != row[end]))
                ++end;
            if (end - x >= 3) {
                const Bytes block = pack(row + x, end - x);
                out.push_back(0);
                out.push_back(static_cast<std::uint8_t>(end - x));
                out.insert(out.end(), block.begin(), block.end());
                if (block.size() % 2 != 0) out.push_back(0);
            } else {
                for (int k = x; k < end; ++k) {
                    const int single[2] = {row[k], row[k]};
                    out.push_back(1);
                    out.push_back(pack(single, 2)[0]);
                }
            }
            x = end;
        }
        out.push_back(0);
        out.push_back(y + 1 < pictureHeight ? 0 : 1);
    }
    return out;
}

void putPixel(Bytes& out, int bits, std::uint32_t value) {
    if (bits == 16)
        bitmaps::put16(out, value);
    else
        bitmaps::put32(out, value);
}

// The picture with a whole number of bytes a pixel, each pixel written by put(out, colour).
template <typename Put>
Bytes directRows(bool topDown, Put put) {
    Bytes out;
    for (int y = 0; y < pictureHeight; ++y) {
        const std::size_t start = out.size();
        const int* row = storedRow(y, topDown);
        for (int x = 0; x < pictureWidth; ++x) put(out, colours[row[x]]);
        padRow(out, start);
    }
    return out;
}

// 16- or 32-bit pixels: each channel's mask where the colour has it, and every bit that no colour
// mask claims (alpha, unused) set, which must not show.
Bytes maskedRows(int bits, const Masks& masks, bool topDown) {
    const std::uint32_t depthBits = bits == 32 ? 0xFFFFFFFFu : 0xFFFFu;
    const std::uint32_t unclaimed = depthBits & ~(masks[0] | masks[1] | masks[2]);
    return directRows(topDown, [&](Bytes& out, Colour c) {
        std::uint32_t value = unclaimed;
        if (c.red) value |= masks[0];
        if (c.green) value |= masks[1];
        if (c.blue) value |= masks[2];
        putPixel(out, bits, value);
    });
}

Bytes bgrRows(bool topDown) {
    return directRows(topDown, [](Bytes& out, Colour c) {
        out.insert(out.end(), {c.blue, c.green, c.red});
    });
}

// The masks a pixel of this depth has without bit-fields.
Masks impliedMasks(int bits) {
    return bits == 16 ? Masks{0x7C00, 0x03E0, 0x001F} : Masks{0xFF0000, 0x00FF00, 0x0000FF};
}

// The picture as a file of this kind: the colour-space fields of the larger headers filled in, and
// in headers that have room for them, masks that a file without bit-fields must not be read by.
bitmaps::Layout pictureFile(const Kind& kind, bool topDown, bool fileHeader) {
    bitmaps::Layout s;
    s.width = pictureWidth;
    s.height = topDown ? -pictureHeight : pictureHeight;
    s.bitsPerPixel = kind.bits;
    s.compression = kind.compression;
    s.headerSize = kind.headerSize;
    s.fileHeader = fileHeader;
    if (kind.compression == bitfields)
        s.masks = kind.masks;
    else if (kind.headerSize >= 52 && kind.headerSize != 64)
        s.masks = {0x0000FF, 0x00FF00, 0xFF0000, 0};
    if (kind.headerSize == 108) s.colourSpace = bitmaps::colourSpaceSrgb;
    if (kind.headerSize == 124) {
        s.colourSpace = bitmaps::colourSpaceEmbedded;
        s.profile = Bytes(48, 0xEE);  // not read: a picture looks the same with any profile
    }
    if (paletted(kind.bits)) {
        s.palette = colourTable(kind.bits, kind.headerSize == 12 ? 3 : 4);
        s.pixels = kind.compression == rgb ? indexRows(kind.bits, topDown) : runLength(kind.bits);
    } else if (kind.bits == 24) {
        s.pixels = bgrRows(topDown);
    } else {
        s.pixels = maskedRows(kind.bits,
                              kind.compression == bitfields ? kind.masks : impliedMasks(kind.bits),
                              topDown);
    }
    return s;
}

// What a reader must make of the picture file: colours a 1-bit table cannot hold come out as its
// two, and a channel whose mask is empty stays 0.
BitmapCase pictureCase(std::string name, const Kind& kind, bool topDown = false,
                       bool fileHeader = true) {
    BitmapCase c;
    c.name = std::move(name);
    c.file = bitmaps::build(pictureFile(kind, topDown, fileHeader));
    c.width = pictureWidth;
    c.height = pictureHeight;
    for (int y = pictureHeight - 1; y >= 0; --y)
        for (int x = 0; x < pictureWidth; ++x) {
            Colour colour = shown(kind.bits, picture[y][x]);
            if (kind.compression == bitfields) {
                if (kind.masks[0] == 0) colour.red = 0;
                if (kind.masks[1] == 0) colour.green = 0;
                if (kind.masks[2] == 0) colour.blue = 0;
            }
            c.rgb.insert(c.rgb.end(), {colour.red, colour.green, colour.blue});
        }
    return c;
}

// One row of chosen 16- or 32-bit pixel values and the colours they must widen to.
BitmapCase wideningCase(std::string name, std::uint32_t headerSize, int bits, const Masks& masks,
                        const std::vector<std::uint32_t>& pixels,
                        const std::vector<Colour>& expected) {
    bitmaps::Layout s;
    s.width = static_cast<int>(pixels.size());
    s.height = 1;
    s.bitsPerPixel = bits;
    s.headerSize = headerSize;
    s.compression = masks.empty() ? rgb : bitfields;
    s.masks = masks;
    for (std::uint32_t value : pixels) putPixel(s.pixels, bits, value);
    padRow(s.pixels, 0);
    BitmapCase c;
    c.name = std::move(name);
    c.file = bitmaps::build(s);
    c.width = s.width;
    c.height = 1;
    for (const Colour& colour : expected)
        c.rgb.insert(c.rgb.end(), {colour.red, colour.green, colour.blue});
    return c;
}

BitmapCase refusedCase(std::string name, Bytes file, const std::string& message) {
    BitmapCase c;
    c.name = std::move(name);
    c.file = std::move(file);
    c.message = message;
    return c;
}

bitmaps::Layout refusedFile(std::uint32_t headerSize, int bits, std::uint32_t compression,
                            Masks masks = {}, bool fileHeader = true) {
    bitmaps::Layout s;
    s.width = 2;
    s.height = 2;
    s.headerSize = headerSize;
    s.bitsPerPixel = bits;
    s.compression = compression;
    s.masks = std::move(masks);
    s.fileHeader = fileHeader;
    s.pixels = Bytes(16, 0x55);
    return s;
}

}  // namespace

std::vector<BitmapCase> sharedBitmapCases() {
    std::vector<BitmapCase> cases;
    const Masks masks565 = {0xF800, 0x07E0, 0x001F};
    const Masks masks888 = {0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000};

    // Every header version with every depth and encoding it can carry.
    const std::pair<std::uint32_t, const char*> headers[] = {
        {12, "Core12"}, {40, "Info40"},  {52, "V2_52"},  {56, "V3_56"},
        {64, "Os2_64"}, {108, "V4_108"}, {124, "V5_124"}};
    const struct {
        const char* name;
        int bits;
        std::uint32_t compression;
        Masks masks;
    } depths[] = {
        {"1bit", 1, rgb, {}},
        {"4bit", 4, rgb, {}},
        {"8bit", 8, rgb, {}},
        {"24bit", 24, rgb, {}},
        {"16bit", 16, rgb, {}},
        {"32bit", 32, rgb, {}},
        {"Rle4", 4, rle4, {}},
        {"Rle8", 8, rle8, {}},
        {"16bitMasks565", 16, bitfields, masks565},
        {"32bitMasks8888", 32, bitfields, masks888},
    };
    for (const auto& [size, header] : headers)
        for (const auto& depth : depths) {
            // The core header has neither encodings nor 16 and 32 bits; OS/2 2.x has no bit-fields.
            if (size == 12 && (depth.compression != rgb || depth.bits == 16 || depth.bits == 32))
                continue;
            if (size == 64 && depth.compression == bitfields) continue;
            cases.push_back(pictureCase(std::string(header) + "_" + depth.name,
                                        {size, depth.bits, depth.compression, depth.masks}));
        }

    // Rows stored top-down, and bitmaps without the file header.
    cases.push_back(pictureCase("V5_124_24bit_TopDown", {124, 24, rgb, {}}, true));
    cases.push_back(pictureCase("V4_108_8bit_TopDown", {108, 8, rgb, {}}, true));
    cases.push_back(pictureCase("V3_56_16bit_TopDown", {56, 16, rgb, {}}, true));
    cases.push_back(
        pictureCase("V5_124_32bitMasks8888_TopDown", {124, 32, bitfields, masks888}, true));
    cases.push_back(pictureCase("Bare_V5_124_8bit", {124, 8, rgb, {}}, false, false));
    cases.push_back(
        pictureCase("Bare_V4_108_16bitMasks565", {108, 16, bitfields, masks565}, false, false));
    cases.push_back(
        pictureCase("Bare_Info40_32bitMasks8888", {40, 32, bitfields, masks888}, false, false));
    cases.push_back(pictureCase("Bare_Os2_64_Rle8", {64, 8, rle8, {}}, false, false));

    // Masks in unusual places and of unusual widths.
    const struct {
        const char* name;
        std::uint32_t headerSize;
        int bits;
        Masks masks;
    } unusual[] = {
        {"Info40_32bit_RedTopByte_GreenMiddle_BlueThirdByte",
         40,
         32,
         {0xFF000000, 0x00000FF0, 0x00FF0000}},
        {"V5_124_32bit_RedTopByte_GreenMiddle_BlueThirdByte",
         124,
         32,
         {0xFF000000, 0x00000FF0, 0x00FF0000}},
        {"V4_108_32bit_Reversed", 108, 32, {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}},
        {"Info40_32bit_Masks101010", 40, 32, {0x3FF00000, 0x000FFC00, 0x000003FF}},
        {"V5_124_32bit_Masks111110", 124, 32, {0xFFE00000, 0x001FFC00, 0x000003FF}},
        {"V5_124_16bit_Masks4444", 124, 16, {0x0F00, 0x00F0, 0x000F, 0xF000}},
        {"V3_56_16bit_Masks1555", 56, 16, {0x7C00, 0x03E0, 0x001F, 0x8000}},
        {"Info40_16bit_Masks880", 40, 16, {0xFF00, 0x00FF, 0}},
        {"Info40_16bit_OneBitChannels", 40, 16, {0x0004, 0x0002, 0x0001}},
        {"V2_52_32bit_RedEveryBit", 52, 32, {0xFFFFFFFF, 0, 0}},
        {"V4_108_32bit_NoMasks", 108, 32, {0, 0, 0}},
    };
    for (const auto& u : unusual)
        cases.push_back(pictureCase(u.name, {u.headerSize, u.bits, bitfields, u.masks}));

    // Channels narrower or wider than 8 bits widen to the nearest level of the same fraction of
    // full scale: value x 255 / (2^bits - 1), rounded.
    cases.push_back(
        wideningCase("Info40_16bit_Widening555", 40, 16, {},
                     {1u << 10 | 2u << 5 | 3u, 17u << 10 | 29u << 5 | 4u, 0x8000u | 31u << 10},
                     {{8, 16, 25}, {140, 239, 33}, {255, 0, 0}}));
    cases.push_back(wideningCase("V5_124_16bit_Widening565", 124, 16, masks565,
                                 {1u << 11 | 1u << 5 | 3u, 16u << 11 | 32u << 5 | 15u,
                                  30u << 11 | 62u << 5 | 31u, 31u << 11 | 31u << 5},
                                 {{8, 4, 25}, {132, 130, 123}, {247, 251, 255}, {255, 125, 0}}));
    cases.push_back(wideningCase("Info40_16bit_Widening332", 40, 16, {0xE0, 0x1C, 0x03},
                                 {1u << 5 | 3u << 2 | 1u, 4u << 5 | 6u << 2 | 2u},
                                 {{36, 109, 85}, {146, 219, 170}}));
    cases.push_back(wideningCase("V4_108_32bit_Widening101010", 108, 32,
                                 {0x3FF00000, 0x000FFC00, 0x000003FF},
                                 {1u << 20 | 3u << 10 | 511u, 512u << 20 | 1022u << 10 | 1023u},
                                 {{0, 1, 127}, {128, 255, 255}}));
    cases.push_back(wideningCase(
        "Info40_32bit_Widening16bitChannels", 40, 32, {0xFFFF0000, 0x0000FFFF, 0},
        {0x8000u << 16 | 0x0080u, 0x7FFFu << 16 | 0x0081u}, {{128, 0, 0}, {127, 1, 0}}));

    // Header sizes no writer uses, and headers whose image is not converted.
    for (std::uint32_t size : {16u, 41u, 66u, 100u, 128u})
        cases.push_back(refusedCase("Unknown" + std::to_string(size),
                                    bitmaps::build(refusedFile(size, 24, rgb)), unknown));
    cases.push_back(refusedCase("Bare_Unknown66",
                                bitmaps::build(refusedFile(66, 24, rgb, {}, false)), unknown));
    const struct {
        const char* name;
        bitmaps::Layout file;
    } unusable[] = {
        {"V5_124_Jpeg", refusedFile(124, 0, 4)},
        {"V5_124_Png", refusedFile(124, 0, 5)},
        {"V4_108_24bitBitfields", refusedFile(108, 24, bitfields, {0xFF0000, 0xFF00, 0xFF})},
        {"Os2_64_16bitCompression3", refusedFile(64, 16, 3)},  // Huffman coding in OS/2
        {"Os2_64_Rle24", refusedFile(64, 24, 4)},
        {"V5_124_16bit_SplitMask", refusedFile(124, 16, bitfields, {0xF00F, 0x00F0, 0x0F00})},
        {"V4_108_16bit_MaskPastPixel", refusedFile(108, 16, bitfields, {0x1F0000, 0x07E0, 0x001F})},
        {"Info40_32bit_SplitMask", refusedFile(40, 32, bitfields, {0xFF00FF00, 0xFF0000, 0xFF})},
    };
    for (const auto& u : unusable)
        cases.push_back(refusedCase(u.name, bitmaps::build(u.file), conversion));
    bitmaps::Layout topDownRuns = pictureFile({124, 8, rle8, {}}, false, true);
    topDownRuns.height = -topDownRuns.height;
    cases.push_back(refusedCase("V5_124_Rle8_TopDown", bitmaps::build(topDownRuns), conversion));
    // A file that ends inside its header, or inside the masks after a plain info header.
    Bytes cutHeader = bitmaps::build(pictureFile({124, 24, rgb, {}}, false, true));
    cutHeader.resize(14 + 100);
    cases.push_back(refusedCase("V5_124_CutInHeader", cutHeader, conversion));
    bitmaps::Layout noMasks = refusedFile(40, 32, bitfields);
    noMasks.pixels.clear();
    Bytes cutMasks = bitmaps::build(noMasks);
    cutMasks.insert(cutMasks.end(), {0, 0, 0xFF, 0, 0, 0xFF});
    cases.push_back(refusedCase("Info40_32bitBitfields_CutInMasks", cutMasks, conversion));
    return cases;
}
