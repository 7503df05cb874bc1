// The mapped reader: opening and releasing, and typed reads that never step past the view.
#include <gtest/gtest.h>

#include <cstring>

#include "ModelFiles.h"

namespace {

// Points a fresh object's reader at bytes in memory.
void readFrom(SceneObject& object, const std::vector<std::uint8_t>& bytes) {
    object.view = bytes.data();
    object.cursor = bytes.data();
    object.fileSize = static_cast<std::uint32_t>(bytes.size());
    object.viewEnd = bytes.data() + bytes.size();
}

}  // namespace

TEST(MappedReader, OpenFailuresLeaveNothingOpen) {
    SceneObject object;
    platform::FileHandle file = platform::invalidFileHandle;
    platform::MappingHandle mapping = nullptr;
    const unsigned char* view = nullptr;
    EXPECT_FALSE(object.openMapped(nullptr, file, mapping, view));
    EXPECT_FALSE(
        object.openMapped(models::scratchPath("missing.3ds").c_str(), file, mapping, view));
    const std::string empty = models::writeBytes("empty.3ds", {});
    EXPECT_FALSE(object.openMapped(empty.c_str(), file, mapping, view));
    EXPECT_EQ(file, platform::invalidFileHandle);
    EXPECT_EQ(mapping, nullptr);
    EXPECT_EQ(view, nullptr);

    const std::string full = models::writeBytes("full.3ds", {1, 2, 3});
    ASSERT_TRUE(object.openMapped(full.c_str(), file, mapping, view));
    EXPECT_EQ(view[2], 3);
    object.closeMapped(file, mapping, view);
    EXPECT_EQ(file, platform::invalidFileHandle);
    EXPECT_EQ(view, nullptr);
    object.closeMapped(file, mapping, view);  // a second close releases nothing
    std::remove(empty.c_str());
    std::remove(full.c_str());
}

TEST(MappedReader, TypedReadsAreLittleEndianAndStopAtTheEnd) {
    SceneObject object;
    const std::vector<std::uint8_t> bytes = {0x34, 0x12, 0x78, 0x56, 0x34, 0x12,
                                             0x00, 0x00, 0x80, 0x3F, 0xAA};
    readFrom(object, bytes);
    std::uint16_t u16 = 0;
    std::uint32_t u32 = 0;
    float f = 0;
    std::uint8_t b = 0;
    EXPECT_TRUE(object.readU16(u16));
    EXPECT_EQ(u16, 0x1234);
    EXPECT_TRUE(object.readU32(u32));
    EXPECT_EQ(u32, 0x12345678u);
    EXPECT_TRUE(object.readFloat(f));
    EXPECT_EQ(f, 1.0f);
    EXPECT_FALSE(object.readU16(u16));  // one byte left: refused, cursor stays
    EXPECT_TRUE(object.readByte(b));
    EXPECT_EQ(b, 0xAA);
    EXPECT_FALSE(object.readByte(b));
    EXPECT_EQ(object.cursor, object.viewEnd);
    object.view = object.cursor = object.viewEnd = nullptr;
}

TEST(MappedReader, ChunkHeadersAndSkipsStayInsideTheFile) {
    SceneObject object;
    // A chunk of length 8 with a 2-byte body, then one whose length runs past the end.
    const std::vector<std::uint8_t> bytes = {0x10, 0x00, 8,    0,    0,    0,    0xAB,
                                             0xCD, 0x20, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    readFrom(object, bytes);
    ChunkHeader header;
    ASSERT_TRUE(object.readChunkHeader(header));
    EXPECT_EQ(header.id, 0x10);
    EXPECT_EQ(object.chunkBounds(header).end, bytes.data() + 8);
    EXPECT_TRUE(object.skipChunk(header));
    EXPECT_EQ(object.cursor, bytes.data() + 8);
    EXPECT_FALSE(object.readChunkHeader(header));
    // A length under 6 cannot be skipped (it would walk backwards).
    ChunkHeader tiny{0x30, 5};
    object.cursor = bytes.data() + 6;
    EXPECT_FALSE(object.skipChunk(tiny));
    object.view = object.cursor = object.viewEnd = nullptr;
}
