// The platform layer as the program relies on it: the message queue across threads, files and
// mappings, threads started suspended, missing libraries, and boxes that never block. (Its GL
// context is exercised by every GL test through the same calls the program makes.)
#include <atomic>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <thread>

#include "platform/Files.h"
#include "platform/MappedFile.h"
#include "platform/MessageBox.h"
#include "platform/SharedLibrary.h"
#include "platform/Thread.h"
#include "platform/Window.h"

namespace {

std::vector<platform::Message> received;

std::intptr_t recordingProc(platform::WindowHandle window, unsigned message, std::uintptr_t wParam,
                            std::intptr_t lParam) {
    received.push_back({window, message, wParam, lParam});
    return 1;
}

struct MessageWindow {
    platform::WindowHandle window;
    explicit MessageWindow(const char* cls) {
        platform::initialise();
        platform::registerWindowClass(cls, recordingProc, platform::getModuleHandle());
        window = platform::createMessageWindow(cls, "t", platform::getModuleHandle());
    }
    ~MessageWindow() { platform::destroyWindow(window); }
};

void drain() {
    platform::Message message;
    while (platform::peekMessage(&message)) platform::dispatchMessage(&message);
}

}  // namespace

TEST(MessageQueue, PostedMessagesArriveInOrderFromAnotherThreadWithTheirParameters) {
    MessageWindow target("QueueOrder");
    ASSERT_NE(target.window, nullptr);
    received.clear();
    std::thread poster([&] {
        for (unsigned i = 0; i < 100; ++i) platform::postMessage(target.window, 12000, i * 250, -int(i));
    });
    poster.join();
    drain();
    ASSERT_EQ(received.size(), 100u);
    for (unsigned i = 0; i < 100; ++i) {
        EXPECT_EQ(received[i].window, target.window);
        EXPECT_EQ(received[i].message, 12000u);
        EXPECT_EQ(received[i].wParam, i * 250);
        EXPECT_EQ(received[i].lParam, -static_cast<std::intptr_t>(i));
    }
    platform::unregisterWindowClass("QueueOrder", platform::getModuleHandle());
}

TEST(MessageQueue, GetMessageTakesOnlyItsWindowsMessageAndLeavesTheRestQueuedInOrder) {
    MessageWindow a("FilterA"), b("FilterB");
    received.clear();
    platform::postMessage(a.window, 1, 1, 0);
    platform::postMessage(b.window, 2, 2, 0);
    platform::postMessage(a.window, 3, 3, 0);
    std::thread late([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        platform::postMessage(b.window, 4, 4, 0);
    });
    platform::Message message;
    ASSERT_TRUE(platform::getMessage(&message, b.window));
    EXPECT_EQ(message.message, 2u);
    ASSERT_TRUE(platform::getMessage(&message, b.window));  // waits for the late one
    EXPECT_EQ(message.message, 4u);
    late.join();
    drain();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].message, 1u);
    EXPECT_EQ(received[1].message, 3u);
}

TEST(MessageQueue, QuitComesAfterEverythingQueuedAndCarriesTheExitCode) {
    MessageWindow a("QuitOrder");
    platform::postQuitMessage(3);
    platform::postMessage(a.window, 7, 0, 0);
    platform::Message message;
    ASSERT_TRUE(platform::peekMessage(&message));
    EXPECT_EQ(message.message, 7u);
    ASSERT_TRUE(platform::peekMessage(&message));
    EXPECT_EQ(message.message, platform::msgQuit);
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_FALSE(platform::peekMessage(&message));
}

TEST(MessageQueue, MessagesForADestroyedWindowAreDroppedNotDispatched) {
    received.clear();
    platform::WindowHandle gone;
    {
        MessageWindow a("Gone");
        gone = a.window;
        platform::postMessage(gone, 9, 0, 0);
    }
    drain();
    EXPECT_TRUE(received.empty());
    (void)gone;
}

TEST(Files, PrivateFolderIsNewUserOnlyAndRemovable) {
    char temp[256];
    unsigned length = platform::getTempPath(sizeof temp, temp);
    ASSERT_GT(length, 0u);
    EXPECT_TRUE(platform::isPathSeparator(temp[length - 1]));
    char first[256], second[256];
    unsigned n1 = platform::makePrivateFolder(temp, "orbek-test-", sizeof first, first);
    unsigned n2 = platform::makePrivateFolder(temp, "orbek-test-", sizeof second, second);
    ASSERT_GT(n1, length);
    ASSERT_GT(n2, length);
    EXPECT_STRNE(first, second);
    struct stat info{};
    ASSERT_EQ(stat(first, &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_TRUE(platform::removeFolder(first));
    EXPECT_TRUE(platform::removeFolder(second));
    EXPECT_NE(stat(first, &info), 0);
    std::vector<char> tooShort(length);  // no room for the NUL
    EXPECT_EQ(platform::getTempPath(length, tooShort.data()), 0u);
}

TEST(MappedFiles, MapWholeFileRefuseEmptyAndMissing) {
    char temp[256];
    platform::getTempPath(sizeof temp, temp);
    std::string path = std::string(temp) + "orbek-map-test.bin";
    { std::ofstream(path, std::ios::binary) << "hello, mapping"; }
    platform::MappedFile file;
    ASSERT_TRUE(file.open(path.c_str()));
    ASSERT_EQ(file.size(), 14u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data()), file.size()), "hello, mapping");
    file.close();
    { std::ofstream(path, std::ios::binary | std::ios::trunc); }
    platform::FileHandle handle = platform::openFileForMapping(path.c_str());
    ASSERT_NE(handle, platform::invalidFileHandle);
    EXPECT_EQ(platform::createReadOnlyMapping(handle), nullptr);
    EXPECT_TRUE(platform::closeFile(handle));
    EXPECT_FALSE(file.open(path.c_str()));
    platform::deleteFile(path.c_str());
    EXPECT_FALSE(file.open(path.c_str()));
    EXPECT_EQ(platform::openFileForMapping(temp), platform::invalidFileHandle);  // a folder
}

TEST(Threads, ASuspendedThreadRunsOnlyAfterResume) {
    static std::atomic<int> ran{0};
    ran = 0;
    std::uint32_t id = 0;
    auto routine = [](void* argument) -> std::uint32_t {
        ran = *static_cast<int*>(argument);
        return 0;
    };
    int value = 42;
    platform::ThreadHandle thread = platform::createThread(routine, &value, true, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(ran.load(), 0);
    EXPECT_TRUE(platform::setThreadPriority(thread, platform::threadPriorityHighest));
    EXPECT_TRUE(platform::resumeThread(thread));
    for (int i = 0; i < 200 && ran.load() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(ran.load(), 42);
    EXPECT_TRUE(platform::closeThreadHandle(thread));
}

TEST(SharedLibraries, AMissingLibraryOrEntryIsNullNotACrash) {
    EXPECT_EQ(platform::loadLibrary("no-such-library.dll"), nullptr);
    EXPECT_EQ(platform::loadLibrary(""), nullptr);
    EXPECT_EQ(platform::getProcAddress(nullptr, "mp3play"), nullptr);
}

TEST(MessageBoxes, HeadlessBoxesPrintCaptionAndTextAndAnswerTheDefault) {
    ASSERT_TRUE(platform::dialogsSuppressed());
    testing::internal::CaptureStderr();
    EXPECT_EQ(platform::messageBox(nullptr, "Program Will Now Close.", "ERROR", platform::mbOk | platform::mbIconStop),
              platform::idOk);
    EXPECT_EQ(platform::messageBox(nullptr, "Use Windowed Mode Instead?", "Q", platform::mbYesNo), platform::idNo);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "ERROR: Program Will Now Close.\nQ: Use Windowed Mode Instead?\n");
}
