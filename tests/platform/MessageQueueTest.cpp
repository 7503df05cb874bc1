// The message queue as the program relies on it, the same on every system and in the browser
// (which keeps the queue itself): messages reach their class's procedure in order with their
// parameters, a wait for one window leaves the others' messages queued, the quit message comes only
// once the queue is empty, a destroyed window's messages are dropped, and classes can be registered
// again. Where the build has threads, messages posted from another thread too.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#ifndef __EMSCRIPTEN__
#include <chrono>
#include <thread>
#endif

#include "platform/Window.h"

namespace {

struct Received {
    int procedure;
    platform::WindowHandle window;
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};
std::vector<Received> received;

// Two procedures, so a message shows which class handled it. The system's own messages (creation,
// destruction) go on to the default procedure.
template <int procedure>
std::intptr_t recordingProc(platform::WindowHandle window, unsigned message, std::uintptr_t wParam,
                            std::intptr_t lParam) {
    if (message < platform::msgUser)
        return platform::defWindowProc(window, message, wParam, lParam);
    received.push_back({procedure, window, message, wParam, lParam});
    return 1;
}

struct MessageWindow {
    std::string cls;
    platform::WindowHandle window;
    explicit MessageWindow(const char* name, platform::WindowProc procedure = recordingProc<1>)
        : cls(name) {
        platform::initialise();
        platform::registerWindowClass(name, procedure, platform::getModuleHandle());
        window = platform::createMessageWindow(name, "t", platform::getModuleHandle());
    }
    ~MessageWindow() {
        platform::destroyWindow(window);
        platform::unregisterWindowClass(cls.c_str(), platform::getModuleHandle());
    }
};

void drain() {
    platform::Message message;
    while (platform::peekMessage(&message)) platform::dispatchMessage(&message);
}

}  // namespace

TEST(MessageQueue, MessagesReachTheirClassProcedureInOrderWithTheirParameters) {
    MessageWindow a("QueueOrderA", recordingProc<1>), b("QueueOrderB", recordingProc<2>);
    ASSERT_NE(a.window, nullptr);
    ASSERT_NE(b.window, nullptr);
    received.clear();
    for (unsigned i = 0; i < 100; ++i)
        ASSERT_TRUE(
            platform::postMessage(i % 2 ? b.window : a.window, 12000 + i % 3, i * 250, -int(i)));
    drain();
    ASSERT_EQ(received.size(), 100u);
    for (unsigned i = 0; i < 100; ++i) {
        EXPECT_EQ(received[i].procedure, i % 2 ? 2 : 1);
        EXPECT_EQ(received[i].window, i % 2 ? b.window : a.window);
        EXPECT_EQ(received[i].message, 12000 + i % 3);
        EXPECT_EQ(received[i].wParam, i * 250);
        EXPECT_EQ(received[i].lParam, -static_cast<std::intptr_t>(i));
    }
}

TEST(MessageQueue, GetMessageTakesOnlyItsWindowsMessageAndLeavesTheRestQueuedInOrder) {
    MessageWindow a("FilterA"), b("FilterB");
    received.clear();
    platform::postMessage(a.window, 12001, 1, 0);
    platform::postMessage(b.window, 12002, 2, 0);
    platform::postMessage(a.window, 12003, 3, 0);
    platform::Message message;
    ASSERT_TRUE(platform::getMessage(&message, b.window));
    EXPECT_EQ(message.window, b.window);
    EXPECT_EQ(message.message, 12002u);
    EXPECT_EQ(message.wParam, 2u);
    drain();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].message, 12001u);
    EXPECT_EQ(received[1].message, 12003u);
}

TEST(MessageQueue, QuitComesAfterEverythingQueuedEvenWhatCameLaterAndCarriesTheExitCode) {
    MessageWindow a("QuitOrder");
    received.clear();
    platform::postMessage(a.window, 12001, 0, 0);
    platform::postQuitMessage(3);
    platform::postMessage(a.window, 12002, 0, 0);
    platform::Message message;
    for (unsigned expected : {12001u, 12002u}) {
        ASSERT_TRUE(platform::peekMessage(&message));
        EXPECT_EQ(message.message, expected);
        platform::dispatchMessage(&message);
    }
    ASSERT_TRUE(platform::peekMessage(&message));
    EXPECT_EQ(message.message, platform::msgQuit);
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_FALSE(platform::peekMessage(&message));
    EXPECT_EQ(received.size(), 2u);
}

TEST(MessageQueue, ADestroyedWindowsMessagesAreDroppedAndNothingMoreArrivesForIt) {
    received.clear();
    platform::WindowHandle gone = nullptr;
    {
        MessageWindow a("Gone");
        gone = a.window;
        platform::postMessage(a.window, 12000, 0, 0);
    }
    drain();
    EXPECT_TRUE(received.empty());
    // Posting to it afterwards is refused or dropped on the way, as the system decides: either
    // way nothing arrives.
    platform::postMessage(gone, 12000, 0, 0);
    platform::Message message;
    EXPECT_FALSE(platform::peekMessage(&message));
}

TEST(WindowClasses, CanBeRegisteredAgainAfterUnregistering) {
    platform::initialise();
    const platform::ModuleHandle instance = platform::getModuleHandle();
    for (int round = 0; round < 40; ++round) {
        const char* name = round % 2 ? "ReuseB" : "ReuseA";
        ASSERT_TRUE(platform::registerWindowClass(
            name, round % 2 ? recordingProc<2> : recordingProc<1>, instance));
        platform::WindowHandle window = platform::createMessageWindow(name, "w", instance);
        ASSERT_NE(window, nullptr);
        received.clear();
        platform::postMessage(window, 12000, 0, 0);
        drain();
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].procedure, round % 2 ? 2 : 1);
        EXPECT_TRUE(platform::destroyWindow(window));
        EXPECT_TRUE(platform::unregisterWindowClass(name, instance));
    }
    EXPECT_FALSE(platform::unregisterWindowClass("ReuseA", instance));  // already gone
}

#ifndef __EMSCRIPTEN__
// The music player's thread posts its reports while the main thread reads the queue.
TEST(MessageQueue, MessagesFromAnotherThreadArriveInOrderAndWakeAWaitForThem) {
    MessageWindow a("ThreadA"), b("ThreadB");
    received.clear();
    std::thread poster([&] {
        for (unsigned i = 0; i < 100; ++i) platform::postMessage(a.window, 12000 + i % 3, i, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        platform::postMessage(b.window, 12004, 4, 0);
    });
    platform::Message message;
    ASSERT_TRUE(platform::getMessage(&message, b.window));  // waits for the late one
    EXPECT_EQ(message.message, 12004u);
    poster.join();
    drain();
    ASSERT_EQ(received.size(), 100u);
    for (unsigned i = 0; i < 100; ++i) EXPECT_EQ(received[i].wParam, i);
}
#endif
