// What the platform layer promises beyond the shared contract on POSIX systems: private folders
// that only their owner may enter, and '/' as the one separator.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/Files.h"

TEST(PosixFiles, PrivateFoldersAreForTheirOwnerOnly) {
    char temp[512], folder[512];
    ASSERT_GT(platform::getTempPath(sizeof temp, temp), 0u);
    ASSERT_GT(platform::makePrivateFolder(temp, "orbek-test-", sizeof folder, folder), 0u);
    struct stat info {};
    ASSERT_EQ(stat(folder, &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_TRUE(platform::removeFolder(folder));
}

TEST(PosixFiles, OnlyTheSlashSeparatesFolders) {
    EXPECT_EQ(platform::pathSeparator, '/');
    EXPECT_FALSE(platform::isPathSeparator('\\'));
    EXPECT_FALSE(platform::isPathSeparator(':'));
}
