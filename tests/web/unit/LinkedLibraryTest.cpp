// Libraries linked into the browser build: the decoder library is found under the name the music
// player loads, with its four entry points, without the loader knowing it; names compare as the
// system's loader compares them, and handles count their loads.
#include <gtest/gtest.h>

#include "music/libmp3/mp3.h"
#include "platform/SharedLibrary.h"
#include "platform/web/LinkedLibrary.h"

namespace {

int first() {
    return 1;
}
int second() {
    return 2;
}

const platform::LinkedEntryPoint testEntries[] = {
    {"first", reinterpret_cast<void*>(&first)},
    {"second", reinterpret_cast<void*>(&second)},
};

}  // namespace

TEST(LinkedLibrary, TheDecoderRegistersItselfWithItsFourEntryPoints) {
    platform::LibraryHandle library = platform::loadLibrary("mp3.dll");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(platform::getProcAddress(library, "mp3play"), reinterpret_cast<void*>(&mp3play));
    EXPECT_EQ(platform::getProcAddress(library, "mp3stop"), reinterpret_cast<void*>(&mp3stop));
    EXPECT_EQ(platform::getProcAddress(library, "mp3gettime"),
              reinterpret_cast<void*>(&mp3gettime));
    EXPECT_EQ(platform::getProcAddress(library, "mp3seek"), reinterpret_cast<void*>(&mp3seek));
    EXPECT_EQ(platform::getProcAddress(library, "mp3pause"), nullptr);
    EXPECT_TRUE(platform::freeLibrary(library));
}

TEST(LinkedLibrary, NamesIgnoreFoldersAndCaseAndLoadsAreCounted) {
    ASSERT_TRUE(platform::registerLinkedLibrary("Sample.DLL", testEntries, 2));
    EXPECT_FALSE(platform::registerLinkedLibrary("sample.dll", testEntries, 1))
        << "a name is taken once";
    EXPECT_EQ(platform::loadLibrary("other.dll"), nullptr);
    EXPECT_EQ(platform::loadLibrary(""), nullptr);

    platform::LibraryHandle once = platform::loadLibrary("C:\\demo\\SAMPLE.dll");
    platform::LibraryHandle twice = platform::loadLibrary("lib/sample.dll");
    ASSERT_NE(once, nullptr);
    EXPECT_EQ(once, twice);
    auto entry = reinterpret_cast<int (*)()>(platform::getProcAddress(once, "second"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry(), 2);
    EXPECT_EQ(platform::getProcAddress(once, "Second"), nullptr) << "entry points match exactly";

    EXPECT_TRUE(platform::freeLibrary(once));
    EXPECT_TRUE(platform::freeLibrary(twice));
    EXPECT_FALSE(platform::freeLibrary(twice)) << "more releases than loads";
    EXPECT_EQ(platform::getProcAddress(once, "first"), nullptr)
        << "nothing is found through a released handle";
    int notAHandle = 0;
    EXPECT_FALSE(platform::freeLibrary(&notAHandle));
}
