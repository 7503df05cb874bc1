// Unpacking data.dat: round trips, entries copied piece by piece, archives too short for their
// directory, hostile entry names and extents, duplicate names, clean-up of everything unpacked,
// writes that fail, unpacking stopped on request, and archives that are no regular file.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "archive/Archive.h"
#include "archive/ArchiveWriter.h"
#include "tests/archive/ArchiveTestSupport.h"

using namespace archivetest;

TEST(Archive, RoundTripsByteForByteAndDeletesEverythingAtTheEnd) {
    ScratchFolder scratch, out;
    Bytes everyByte;
    for (int i = 0; i < 256 * 3; ++i) everyByte.push_back(static_cast<std::uint8_t>(i * 7));
    std::vector<ArchiveInput> inputs = {{"tub.3ds", everyByte},
                                        {"empty.bin", {}},
                                        {std::string(51, 'n'), textBytes("x")},
                                        {"same", textBytes("a longer first entry")},
                                        {"same", textBytes("xy")}};
    for (int i = 0; i < 60; ++i)
        inputs.push_back({"file" + std::to_string(i), textBytes(std::to_string(i))});
    std::string error;
    ASSERT_TRUE(writeArchive(scratch / "data.dat", inputs, &error)) << error;

    auto archive = std::make_unique<Archive>((scratch / "data.dat").c_str());
    ASSERT_TRUE(archive->isValid()) << archive->error();
    ASSERT_EQ(archive->count(), inputs.size());
    std::uint32_t offset = 4 + 60 * inputs.size();
    for (std::uint32_t i = 0; i < archive->count(); ++i) {
        EXPECT_EQ(archive->entry(i).name, inputs[i].name);
        EXPECT_EQ(archive->entry(i).offset, offset) << "data follows the directory in input order";
        EXPECT_EQ(archive->entry(i).size, inputs[i].data.size());
        offset += inputs[i].data.size();
    }
    archive->extractAll(out.path().c_str());
    EXPECT_EQ(archive->skippedCount() + archive->failedCount(), 0u);
    EXPECT_TRUE(archive->problems().empty());
    EXPECT_EQ(out.names().size(), inputs.size() - 1);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (i != 3) {  // the first "same", replaced whole by the second
            EXPECT_EQ(readBytes(out / inputs[i].name), inputs[i].data) << inputs[i].name;
        }
    }
    archive.reset();
    EXPECT_TRUE(out.names().empty()) << "no 50-file limit on clean-up";
}

TEST(Archive, ReportsMissingAndShortArchivesWithoutCreatingOrAllocating) {
    ScratchFolder scratch;
    {
        Archive missing((scratch / "data.dat").c_str());
        EXPECT_FALSE(missing.isValid());
        EXPECT_NE(std::string(missing.error()).find("data.dat"), std::string::npos)
            << missing.error();
    }
    EXPECT_FALSE(std::filesystem::exists(scratch / "data.dat"))
        << "a missing archive must not be created";
    EXPECT_FALSE(Archive(scratch.path().c_str()).isValid()) << "a folder is no archive";

    // Short of the count, of the directory, or of a directory whose size wraps 32 bits; the
    // 0xFFFFFFFF count must be refused before anything is allocated for it.
    for (const Bytes& broken :
         {Bytes{}, Bytes{1, 0, 0}, rawArchive(2, {{"a", 0, 0}}),
          rawArchive(0xFFFFFFFFu, {{"a", 0, 0}}), rawArchive(0x04444445u, {}, Bytes(4096, 0))}) {
        ASSERT_TRUE(writeBytes(scratch / "bad.dat", broken));
        Archive archive((scratch / "bad.dat").c_str());
        EXPECT_FALSE(archive.isValid()) << broken.size();
        EXPECT_NE(std::string(archive.error()).find("damaged"), std::string::npos)
            << archive.error();
        EXPECT_EQ(archive.count(), 0u);
    }

    ASSERT_TRUE(writeBytes(scratch / "zero.dat", rawArchive(0, {})));
    Archive zero((scratch / "zero.dat").c_str());
    EXPECT_TRUE(zero.isValid()) << zero.error();
    zero.extractAll(scratch.path().c_str());
    EXPECT_EQ(scratch.names(), (std::set<std::string>{"bad.dat", "zero.dat"}));
}

TEST(Archive, SkipsHostileNamesAndExtentsButUnpacksTheRest) {
    ScratchFolder scratch, out;
    const std::uint32_t start = 4 + 60 * 17, end = start + 10;
    std::vector<RawEntry> directory = {
        {std::string(52, 'A'), start, 1},
        {"", start, 1},
        {".", start, 1},
        {"..", start, 1},
        {"../escape", start, 1},
        {"/escape", start, 1},
        {"sub\\escape", start, 1},
        {"past-end", end - 2, 3},
        {"wraps-32-bits", 0xFFFFFFF0u, 0x20},
        {"good", start + 2, 3},
        {"ends-at-end", end - 1, 1},
        {"empty-at-end", end, 0},
        {"over-count", 0, 4},  // data may lie anywhere, even over the count
        {"C:escape", start, 1},
        {"con.bmp", start, 1},
        {"Lpt3", start, 1},
        {"COM10", start, 1},  // not a device: a plain file
    };
    ASSERT_TRUE(writeBytes(scratch / "data.dat",
                           rawArchive(directory.size(), directory, textBytes("0123456789"))));

    Archive archive((scratch / "data.dat").c_str());
    ASSERT_TRUE(archive.isValid()) << archive.error();
    archive.extractAll(out.path().c_str());
    EXPECT_EQ(archive.skippedCount(), 12u);
    EXPECT_EQ(archive.failedCount(), 0u);
    ASSERT_EQ(archive.problems().size(), 12u);
    EXPECT_NE(archive.problems()[4].find("../escape"), std::string::npos) << archive.problems()[4];
    EXPECT_EQ(out.names(), (std::set<std::string>{"good", "ends-at-end", "empty-at-end",
                                                  "over-count", "COM10"}));
    EXPECT_EQ(readBytes(out / "good"), textBytes("234"));
    EXPECT_EQ(readBytes(out / "ends-at-end"), textBytes("9"));
    EXPECT_EQ(readBytes(out / "over-count"), (Bytes{17, 0, 0, 0}));
    EXPECT_FALSE(std::filesystem::exists(out / "../escape"));
}

TEST(Archive, EarlyDeletionAndKeepingOnPurpose) {
    ScratchFolder scratch, out;
    ASSERT_TRUE(writeArchive(scratch / "data.dat", {{"a", textBytes("1")}, {"b", textBytes("2")}},
                             nullptr));
    {
        // Deleted early (an interrupted run); a file made later under the same name is not ours.
        Archive archive((scratch / "data.dat").c_str());
        archive.extractAll(out.path().c_str());
        archive.deleteUnpacked();
        EXPECT_TRUE(out.names().empty());
        ASSERT_TRUE(writeBytes(out / "a", textBytes("not ours")));
    }
    EXPECT_EQ(out.names(), std::set<std::string>{"a"});
    {
        Archive archive((scratch / "data.dat").c_str());
        archive.extractAll(out.path().c_str());
        archive.keepUnpacked();
    }
    EXPECT_EQ(readBytes(out / "a"), textBytes("1"));
    EXPECT_EQ(readBytes(out / "b"), textBytes("2"));
}

TEST(Archive, FailedWritesAreReportedAndLeaveNoFile) {
    ScratchFolder scratch, out;
    ASSERT_TRUE(writeArchive(
        scratch / "data.dat",
        {{"small", textBytes("abc")}, {"large", Bytes(200000, 7)}, {"fine", textBytes("ok")}},
        nullptr));
    ASSERT_TRUE(writeBytes(scratch / "plain", textBytes("a file, not a folder")));
    Archive archive((scratch / "data.dat").c_str());
    archive.extractAll((scratch / "plain/").c_str());
    EXPECT_EQ(archive.failedCount(), 3u);
    ASSERT_EQ(archive.problems().size(), 3u);
    EXPECT_NE(archive.problems()[0].find("cannot create"), std::string::npos)
        << archive.problems()[0];
    EXPECT_TRUE(archive.unpackedFiles().empty());

    // /dev/full takes the open and refuses the bytes, even for root: a small write fails only
    // when flushed at close, a large one at once.
    std::error_code status;
    std::filesystem::create_symlink("/dev/full", out / "small", status);
    std::filesystem::create_symlink("/dev/full", out / "large", status);
    if (status || !std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "needs /dev/full and symbolic links";
    Archive full((scratch / "data.dat").c_str());
    full.extractAll(out.path().c_str());
    EXPECT_EQ(full.failedCount(), 2u);
    ASSERT_EQ(full.problems().size(), 2u);
    EXPECT_NE(full.problems()[1].find("partial file was removed"), std::string::npos)
        << full.problems()[1];
    EXPECT_EQ(out.names(), std::set<std::string>{"fine"});
    EXPECT_EQ(full.unpackedFiles(), std::vector<std::string>{out / "fine"});
}

TEST(Archive, EntriesAroundTheCopyBuffersSizeArriveByteForByte) {
    ScratchFolder scratch, out;
    const std::size_t piece = Archive::copyBufferSize;
    std::vector<ArchiveInput> inputs;
    for (std::size_t size : {piece - 1, piece, piece + 1, 3 * piece + 17}) {
        Bytes data(size);
        for (std::size_t i = 0; i < size; ++i)
            data[i] = static_cast<std::uint8_t>(i * 31 + i / 251);
        inputs.push_back({"size" + std::to_string(size), data});
    }
    ASSERT_TRUE(writeArchive(scratch / "data.dat", inputs, nullptr));
    Archive archive((scratch / "data.dat").c_str());
    archive.extractAll(out.path().c_str());
    EXPECT_TRUE(archive.problems().empty());
    for (const ArchiveInput& input : inputs)
        EXPECT_EQ(readBytes(out / input.name), input.data) << input.name;
}

namespace {

int stopAsks = 0;
bool stopOnThirdAsk() {
    return ++stopAsks >= 3;
}

}  // namespace

TEST(Archive, AStopRequestEndsUnpackingBetweenPiecesAndLeavesNothing) {
    ScratchFolder scratch, out;
    ASSERT_TRUE(writeArchive(
        scratch / "data.dat",
        {{"large", Bytes(8 * Archive::copyBufferSize, 5)}, {"after", textBytes("never unpacked")}},
        nullptr));
    stopAsks = 0;
    Archive archive((scratch / "data.dat").c_str());
    archive.extractAll(out.path().c_str(), stopOnThirdAsk);
    EXPECT_TRUE(archive.stopped());
    EXPECT_EQ(stopAsks, 3) << "asked before the entry and its first two pieces, then no more";
    EXPECT_TRUE(out.names().empty()) << "the half-written entry is removed";
    EXPECT_TRUE(archive.unpackedFiles().empty());
    EXPECT_TRUE(archive.problems().empty()) << "a stop is no failure";

    Archive whole((scratch / "data.dat").c_str());
    whole.extractAll(out.path().c_str(), [] { return false; });
    EXPECT_FALSE(whole.stopped());
    EXPECT_EQ(out.names(), (std::set<std::string>{"large", "after"}));
}

TEST(Archive, AFifoOrADeviceIsRefusedAsNotARegularFile) {
#ifdef __EMSCRIPTEN__
    GTEST_SKIP() << "the page's in-memory file system has no FIFOs or devices to meet";
#endif
    ScratchFolder scratch;
    const std::string fifo = scratch / "data.dat";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Held open for writing here, so that an open that waits for a writer cannot hang the test.
    const int writer = open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        Archive archive(path.c_str());
        EXPECT_FALSE(archive.isValid());
        EXPECT_EQ(std::string(archive.error()),
                  "Cannot open the archive \"" + path + "\": it is not a regular file.");
    }
    close(writer);
}
