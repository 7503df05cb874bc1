// What the platform layer promises beyond the shared contract on POSIX systems: private folders
// that only their owner may enter, '/' as the one separator, and mappings that never wait on a
// FIFO.
#include <chrono>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Files.h"
#include "platform/MappedFile.h"

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

TEST(PosixFiles, OpeningAFifoForMappingNeitherWaitsForAWriterNorSucceeds) {
    char temp[512];
    ASSERT_GT(platform::getTempPath(sizeof temp, temp), 0u);
    const std::string fifo = std::string(temp) + "orbek-test-fifo-" + std::to_string(getpid());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(platform::fileReadable(fifo.c_str()));  // the probe opens nothing
    auto opened = std::async(std::launch::async, [&fifo] {
        platform::MappedFile file;
        return file.open(fifo.c_str());
    });
    if (opened.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "opening a FIFO waited for a writer";
        // Let the waiting open through, so the test ends.
        int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) close(writer);
    }
    EXPECT_FALSE(opened.get());
    unlink(fifo.c_str());
}
