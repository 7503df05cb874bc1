// What the platform layer promises beyond the shared contract on POSIX systems: private folders
// that only their owner may enter, a sweep of stale folders that follows no link and leaves other
// users' folders alone, FIFOs and devices refused as data files and mappings of FIFOs that never
// wait, and '/' as the one separator.
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
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

TEST(PosixFiles, TheSweepFollowsNoLinkAndLeavesOtherUsersFoldersAlone) {
    namespace fs = std::filesystem;
    char temp[512], parent[512], target[512];
    ASSERT_GT(platform::getTempPath(sizeof temp, temp), 0u);
    ASSERT_GT(platform::makePrivateFolder(temp, "orbek-sweep-links-", sizeof parent, parent), 0u);
    ASSERT_GT(platform::makePrivateFolder(temp, "orbek-sweep-target-", sizeof target, target), 0u);
    const std::string lockName = "run..lock";
    // A folder that would be swept if it stood there itself, reached through a link named like
    // ours.
    for (const char* name : {"kept", "run..lock"}) std::ofstream(std::string(target) + name) << "x";
    fs::create_symlink(fs::path(target).parent_path(), std::string(parent) + "run-link");
    // A stale-looking folder of another user (root can make one; others skip that part).
    const std::string foreign = std::string(parent) + "run-foreign";
    const bool canChown = geteuid() == 0;
    if (canChown) {
        fs::create_directory(foreign);
        std::ofstream(foreign + "/" + lockName) << "x";
        ASSERT_EQ(chown(foreign.c_str(), 65534, 65534), 0);
    }

    EXPECT_EQ(platform::removeStaleFolders(parent, "run-", lockName.c_str()), 0u);
    EXPECT_TRUE(fs::exists(std::string(target) + "kept"));
    EXPECT_TRUE(fs::exists(std::string(target) + lockName));
    EXPECT_TRUE(fs::is_symlink(std::string(parent) + "run-link"));
    if (canChown) {
        EXPECT_TRUE(fs::exists(foreign + "/" + lockName));
    }
    fs::remove_all(parent);
    fs::remove_all(target);
}

TEST(PosixFiles, FifosAndDevicesAreRefusedAsDataFilesAtOnce) {
    char temp[512];
    ASSERT_GT(platform::getTempPath(sizeof temp, temp), 0u);
    const std::string fifo = std::string(temp) + "orbek-fifo-test";
    unlink(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A FIFO nobody writes to would hold a plain open for ever: the alarm ends such a run.
    alarm(20);
    for (const std::string& path : {fifo, std::string("/dev/null"), std::string(temp)}) {
        bool notRegular = false;
        EXPECT_EQ(platform::openRegularFile(path.c_str(), &notRegular), nullptr) << path;
        EXPECT_TRUE(notRegular) << path;
    }
    alarm(0);
    unlink(fifo.c_str());
}
