// The browser build's message queue, which has no system queue beneath it: posted messages come
// out in order, a wait for one window leaves the others' messages queued, the quit message comes
// only once the queue is empty, and a destroyed window's messages are dropped.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Window.h"

namespace {

std::vector<unsigned> handled;

std::intptr_t record(platform::WindowHandle, unsigned message, std::uintptr_t, std::intptr_t) {
    handled.push_back(message);
    return 1;
}

struct Windows : testing::Test {
    void SetUp() override {
        handled.clear();
        ASSERT_TRUE(
            platform::registerWindowClass("QueueTest", record, platform::getModuleHandle()));
        first = platform::createMessageWindow("QueueTest", "first", platform::getModuleHandle());
        second = platform::createMessageWindow("QueueTest", "second", platform::getModuleHandle());
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
    }
    void TearDown() override {
        platform::destroyWindow(first);
        platform::destroyWindow(second);
        platform::Message rest{};
        while (platform::peekMessage(&rest)) {
        }
        EXPECT_TRUE(platform::unregisterWindowClass("QueueTest", platform::getModuleHandle()));
    }
    platform::WindowHandle first = nullptr;
    platform::WindowHandle second = nullptr;
};

}  // namespace

TEST_F(Windows, PostedMessagesComeOutInOrderAndQuitOnlyWhenTheQueueIsEmpty) {
    platform::postQuitMessage(3);
    ASSERT_TRUE(platform::postMessage(first, 12000, 250, 0));
    ASSERT_TRUE(platform::postMessage(second, 12002, 0, 0));
    platform::Message message{};
    std::vector<unsigned> order;
    while (platform::peekMessage(&message)) {
        order.push_back(message.message);
        if (message.message != platform::msgQuit) platform::dispatchMessage(&message);
    }
    EXPECT_EQ(order, (std::vector<unsigned>{12000, 12002, platform::msgQuit}));
    EXPECT_EQ(message.wParam, 3u) << "the quit message carries the exit code";
    EXPECT_EQ(handled, (std::vector<unsigned>{12000, 12002}));
}

TEST_F(Windows, WaitingForOneWindowLeavesTheOthersQueuedAndDestroyedWindowsLoseTheirs) {
    ASSERT_TRUE(platform::postMessage(first, 12000, 0, 0));
    ASSERT_TRUE(platform::postMessage(second, 12002, 0, 0));
    ASSERT_TRUE(platform::postMessage(first, 12001, 0, 0));
    platform::Message message{};
    ASSERT_TRUE(platform::getMessage(&message, second));
    EXPECT_EQ(message.message, 12002u);

    ASSERT_TRUE(platform::destroyWindow(first));
    EXPECT_FALSE(platform::postMessage(first, 12000, 0, 0))
        << "nothing is posted to a window that is gone";
    EXPECT_FALSE(platform::peekMessage(&message)) << "the first window's two messages went with it";
    first = nullptr;
}
