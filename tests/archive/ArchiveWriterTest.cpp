// Packing data.dat: names the reader would refuse are refused before anything is written, and a
// failed write leaves no archive behind.

#include <gtest/gtest.h>

#include "archive/ArchiveWriter.h"
#include "tests/archive/ArchiveTestSupport.h"

using namespace archivetest;

TEST(ArchiveWriter, RefusesUnsafeNamesAndFailedWritesLeaveNothing) {
    ScratchFolder scratch;
    for (const std::string& name :
         {std::string(), std::string(52, 'x'), std::string("a/b"), std::string("a\\b"),
          std::string(".."), std::string("a..b"), std::string("."), std::string("n\0l", 3)}) {
        std::string error;
        EXPECT_FALSE(writeArchive(scratch / "out.dat",
                                  {{"fine", textBytes("1")}, {name, textBytes("2")}}, &error))
            << name;
        EXPECT_NE(error.find("Cannot pack"), std::string::npos) << error;
        EXPECT_FALSE(std::filesystem::exists(scratch / "out.dat")) << name;
    }

    ASSERT_TRUE(writeBytes(scratch / "plain", textBytes("a file, not a folder")));
    std::string error;
    EXPECT_FALSE(writeArchive(scratch / "plain/out.dat", {{"a", textBytes("1")}}, &error));
    EXPECT_NE(error.find("Cannot create"), std::string::npos) << error;

    std::error_code status;
    std::filesystem::create_symlink("/dev/full", scratch / "full.dat", status);
    if (status || !std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "needs /dev/full and symbolic links";
    EXPECT_FALSE(writeArchive(scratch / "full.dat", {{"a", textBytes("1")}}, &error));
    EXPECT_NE(error.find("partial file was removed"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(scratch / "full.dat")));
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
}
