// The run's asset folder: unpacked whole into a private folder that becomes tempFolder, and gone
// again, files and folder, when its owner goes; a missing archive leaves nothing behind.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

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
