// The keyed list: append order, iteration, find semantics and node ownership.
#include <gtest/gtest.h>

#include <string>

#include "scene/NamedList.h"

TEST(NamedList, EmptyListAnswersNone) {
    NamedList list;
    EXPECT_EQ(list.first(), nullptr);
    EXPECT_EQ(list.next(), nullptr);
    EXPECT_EQ(list.find("a"), nullptr);
    EXPECT_EQ(list.count, 0);
}

TEST(NamedList, IteratesInOrderAndFindsTheFirstOfEqualKeys) {
    int a = 1, b = 2, c = 3;
    char keyA[] = "wheel", keyB[] = "body", keyC[] = "wheel";
    NamedList list;
    list.add(keyA, &a);
    list.add(keyB, &b);
    list.add(keyC, &c);
    EXPECT_EQ(list.count, 3);
    EXPECT_EQ(list.first(), &a);
    EXPECT_EQ(list.next(), &b);
    EXPECT_EQ(list.next(), &c);
    EXPECT_EQ(list.next(), nullptr);
    EXPECT_EQ(list.next(), nullptr);  // stays at the end

    // Keys are compared by content, case-sensitively, and the key pointer itself is stored.
    std::string wanted = "wheel";
    EXPECT_EQ(list.find(wanted.c_str()), &a);
    EXPECT_EQ(list.find("Wheel"), nullptr);
    EXPECT_EQ(list.key, keyA);
    // find moves the shared position; a miss leaves it.
    EXPECT_EQ(list.find("body"), &b);
    EXPECT_EQ(list.find("none"), nullptr);
    EXPECT_EQ(list.next(), &c);
}

TEST(NamedList, LongChainsAreDestroyedWithoutRecursion) {
    // Deep enough that a recursive destructor chain would exhaust a sanitizer build's stack.
    auto* list = new NamedList();
    static char key[] = "k";
    for (int i = 0; i < 1000000; ++i) list->add(key, nullptr);
    EXPECT_EQ(list->count, 1000000);
    delete list;
}
