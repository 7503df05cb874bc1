// Vector arithmetic: single-precision points, double-precision differences and lengths.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/Vector.h"

TEST(Vector, LengthNormalisedAndScaled) {
    Vector v(0, 0, 0, 3, 4, 0);
    EXPECT_DOUBLE_EQ(v.length(), 5.0);

    Vector up(1, 1, 1, 1, 1, 3);
    Vector unit = up.normalised();
    EXPECT_EQ(unit.start.x, 1.0f);
    EXPECT_EQ(unit.end.z, 2.0f);
    EXPECT_DOUBLE_EQ(unit.length(), 1.0);
    EXPECT_EQ(up.end.z, 3.0f);  // the source is unchanged

    Vector none = v.scaled(0.0);
    EXPECT_EQ(none.end.x, none.start.x);
    EXPECT_DOUBLE_EQ(none.length(), 0.0);

    Vector back = Vector(2, 0, 0, 3, 0, 0).scaled(-2.0);
    EXPECT_EQ(back.end.x, 0.0f);
    EXPECT_DOUBLE_EQ(back.difference.x, -2.0);
}

TEST(Vector, PointsAreSinglePrecisionAndDerivedValuesDouble) {
    Vector v(0, 0, 0, 0.1, 0, 0);
    EXPECT_EQ(static_cast<double>(v.end.x), static_cast<double>(0.1f));
    EXPECT_NE(v.length(), 0.1);
    EXPECT_NEAR(v.length(), 0.100000001490116, 1e-15);
    // The difference of two large close floats is exact in double precision.
    Vector far(16777216.0, 0, 0, 16777218.0, 0, 0);
    EXPECT_DOUBLE_EQ(far.difference.x, 2.0);
    // Scaling a long vector by a small factor rounds only the new end point.
    Vector scaled = Vector(1.0, 0, 0, 1.0 + 1e-3, 0, 0).scaled(1000.0);
    EXPECT_NEAR(scaled.end.x, 2.0f, 1e-4);
}

// Read straight after construction, before anything recomputes it: the difference is that of the
// stored single-precision points, not of the double-precision values they were rounded from.
TEST(Vector, DifferenceIsTakenBetweenTheStoredPoints) {
    const double s[3] = {0.1, -2.7, 1e-3}, e[3] = {0.7, 3.4, 12345.678};
    const Vector v(s[0], s[1], s[2], e[0], e[1], e[2]);
    const double stored[3] = {v.difference.x, v.difference.y, v.difference.z};
    for (int i = 0; i < 3; ++i) {
        const double expected = static_cast<double>(static_cast<float>(e[i])) -
                                static_cast<double>(static_cast<float>(s[i]));
        EXPECT_EQ(stored[i], expected) << "component " << i;
        EXPECT_NE(stored[i], e[i] - s[i]) << "component " << i;
    }
}

TEST(Vector, NormalisingZeroLengthGivesNotANumber) {
    Vector zero(1, 2, 3, 1, 2, 3);
    Vector n = zero.normalised();
    EXPECT_TRUE(std::isnan(n.end.x));
    EXPECT_TRUE(std::isnan(n.difference.y));
    EXPECT_EQ(n.start.y, 2.0f);
}
