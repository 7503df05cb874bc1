// The writer thread: stills land where they are asked for, and the first thing that goes wrong is
// what finish() reports; the writer takes no frame after it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tools/capture/FrameWriter.h"

TEST(FrameWriter, WritesStillsAndReportsTheFirstFailure) {
    const FrameLayout layout = layoutFrame(64, 48, 1);
    const std::string folder = testing::TempDir();
    const std::string still = folder + "/writer-still.png";
    const std::string nowhere = folder + "/no-such-folder/still.png";
    std::remove(still.c_str());
    {
        FrameWriter writer(layout, nullptr);
        for (const std::string& path : {still, nowhere}) {
            unsigned char* pixels = writer.nextBuffer();
            ASSERT_NE(pixels, nullptr);
            std::fill(pixels, pixels + 64 * 48 * 4, 128);
            writer.submit(false, path);
        }
        EXPECT_EQ(writer.finish(), "cannot write " + nowhere);
        EXPECT_EQ(writer.nextBuffer(), nullptr) << "a writer that failed takes no more frames";
    }
    std::FILE* written = std::fopen(still.c_str(), "rb");
    ASSERT_NE(written, nullptr) << "the still before the failure was written";
    std::fclose(written);
    std::remove(still.c_str());
}
