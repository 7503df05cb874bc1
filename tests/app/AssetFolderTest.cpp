// The run's asset folder: unpacked whole into a private folder that becomes tempFolder, and gone
// again, files and folder, when its owner goes; a missing archive, an archive not unpacked whole
// and a stop request leave nothing behind, and the entries not unpacked are named with the reason.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <csignal>

#include "app/AssetFolder.h"
#include "archive/ArchiveWriter.h"

namespace {

namespace fs = std::filesystem;

std::string readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct AssetFolderTest : ::testing::Test {
    void SetUp() override {
        const char* test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        archivePath =
            (fs::temp_directory_path() / (std::string("asset-folder-") + test + ".dat")).string();
        std::string error;
        ASSERT_TRUE(
            writeArchive(archivePath, {{"seq1.dat", {1, 2, 3}}, {"pal.bmp", {'B', 'M'}}}, &error))
            << error;
    }
    void TearDown() override { fs::remove(archivePath); }
    std::string archivePath;
};

}  // namespace

TEST_F(AssetFolderTest, UnpacksIntoAFolderOfItsOwnAndRemovesItWhenItGoes) {
    fs::path folder;
    {
        AssetFolder assets(archivePath.c_str());
        ASSERT_TRUE(assets.ready()) << assets.problem();
        folder = tempFolder;
        EXPECT_EQ(std::string(tempFolder).size(), tempFolderLength);
        EXPECT_EQ(folder.parent_path().filename().string().rfind("orbek42-", 0), 0u) << folder;
        EXPECT_EQ(readWhole(folder / "seq1.dat"), std::string("\x01\x02\x03", 3));
        EXPECT_EQ(readWhole(folder / "pal.bmp"), "BM");
    }
    EXPECT_FALSE(fs::exists(folder)) << folder;
}

TEST_F(AssetFolderTest, AMissingArchiveMakesNoFolderAndSaysWhy) {
    tempFolder[0] = '\0';
    {
        AssetFolder assets((archivePath + ".missing").c_str());
        EXPECT_FALSE(assets.ready());
        EXPECT_FALSE(assets.problem().empty());
    }
    EXPECT_STREQ(tempFolder, "");  // no folder was made, so none became the asset folder
}

TEST_F(AssetFolderTest, AnArchiveCutShortFailsNamingTheEntriesAndLeavesNothing) {
    // The second entry's data ends past the cut.
    const auto size = fs::file_size(archivePath);
    fs::resize_file(archivePath, size - 1);
    tempFolder[0] = '\0';
    AssetFolder assets(archivePath.c_str());
    EXPECT_FALSE(assets.ready());
    EXPECT_NE(assets.problem().find("1 of 2 entries were not unpacked"), std::string::npos)
        << assets.problem();
    EXPECT_NE(assets.problem().find("\"pal.bmp\": its data reaches past the end of the archive"),
              std::string::npos)
        << assets.problem();
    ASSERT_NE(tempFolder[0], '\0');
    EXPECT_FALSE(fs::exists(tempFolder)) << "removed before the message is shown";
}

TEST_F(AssetFolderTest, AFailedWriteFailsWithTheSystemsReasonAndLeavesNothing) {
    // A file-size limit makes the write fail as a full disk would, with SIGXFSZ ignored.
    std::string error;
    ASSERT_TRUE(writeArchive(
        archivePath,
        {{"seq1.dat", {1, 2, 3}}, {"musica.mp3", std::vector<std::uint8_t>(300000, 9)}}, &error))
        << error;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100000;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string problem;
    bool ready = true;
    {
        AssetFolder assets(archivePath.c_str());
        ready = assets.ready();
        problem = assets.problem();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(ready);
    EXPECT_NE(problem.find("\"musica.mp3\""), std::string::npos) << problem;
    EXPECT_NE(problem.find("File too large"), std::string::npos) << problem;
    EXPECT_FALSE(fs::exists(tempFolder));
}

TEST_F(AssetFolderTest, AStopRequestWhileUnpackingLeavesNothing) {
    tempFolder[0] = '\0';
    AssetFolder assets(archivePath.c_str(), [] { return true; });
    EXPECT_FALSE(assets.ready());
    ASSERT_NE(tempFolder[0], '\0');
    EXPECT_FALSE(fs::exists(tempFolder));
}
