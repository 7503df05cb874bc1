// A started demo for director tests: small assets written into a private folder that becomes the
// temporary folder, an offscreen GL context, and the real start-up. One per test process.
#pragma once

#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "scene/Point3.h"
#include "tests/support/OffscreenGL.h"

class StartedDemo : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the asset files; seqRecords attitude records (angle = record index) go in seq1.dat.
    static void writeAssets(const std::string& folder, int seqRecords);
    static void keepModelItems();

    std::unique_ptr<testing_support::OffscreenGL> gl;
    int seqRecords = 3;
};

inline void expectPoint(const Point3& actual, float x, float y, float z) {
    EXPECT_FLOAT_EQ(actual.x, x);
    EXPECT_FLOAT_EQ(actual.y, y);
    EXPECT_FLOAT_EQ(actual.z, z);
}
