// Path following: percentages of the length, the precision of points and lengths, the ends of the
// range, zero-length segments, refused polylines and copies that share their line.
#include <cmath>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "scene/Mesh.h"
#include "scene/Path.h"
#include "tools/write3ds/Writer3ds.h"

namespace {

void expectPoint(const std::optional<Point3>& point, float x, float y, float z)
{
    ASSERT_TRUE(point.has_value());
    EXPECT_EQ(point->x, x);
    EXPECT_EQ(point->y, y);
    EXPECT_EQ(point->z, z);
}

TEST(Path, StraightLineGivesPointsInProportionToLength)
{
    Path path;
    const Point3 points[2] = {{0, 0, 0}, {10, 0, 0}};
    path.setPoints(2, points);
    EXPECT_EQ(path.totalLength, 10.0);
    EXPECT_EQ(path.milestones[0], 0.0);
    EXPECT_EQ(path.milestones[1], 100.0);
    expectPoint(path.setParameter(25.0), 2.5f, 0, 0);
    EXPECT_EQ(path.parameter, 25.0);
    expectPoint(path.setParameter(100.0), 10.0f, 0, 0);
    expectPoint(path.setParameter(0.0), 0, 0, 0);
}

TEST(Path, BentLineCoversEqualDistancesPerPercent)
{
    Path path;
    const Point3 points[3] = {{0, 0, 0}, {1, 0, 0}, {1, 3, 0}};
    path.setPoints(3, points);
    EXPECT_EQ(path.totalLength, 4.0);
    EXPECT_EQ(path.milestones[1], 25.0);
    EXPECT_EQ(path.milestones[2], 100.0);
    expectPoint(path.setParameter(25.0), 1, 0, 0);
    expectPoint(path.setParameter(50.0), 1, 1, 0);
    expectPoint(path.setParameter(12.5), 0.5f, 0, 0);
    // The place may jump backwards between calls: every search starts from the first segment.
    expectPoint(path.setParameter(87.5), 1, 2.5f, 0);
    expectPoint(path.setParameter(5.0), 0.2f, 0, 0);
}

TEST(Path, AdvanceStaysWithinTheEnds)
{
    Path path;
    const Point3 points[3] = {{0, 0, 0}, {1, 0, 0}, {1, 3, 0}};
    path.setPoints(3, points);

    path.setParameter(99.5);
    EXPECT_TRUE(path.advance(0.5));
    EXPECT_EQ(path.parameter, 100.0);
    expectPoint(path.currentPoint(), 1, 3, 0);
    EXPECT_FALSE(path.advance(0.001));
    EXPECT_EQ(path.parameter, 100.0);

    path.setParameter(0.2);
    EXPECT_FALSE(path.advance(-0.5));
    EXPECT_EQ(path.parameter, 0.2);
    EXPECT_TRUE(path.advance(-0.2));
    EXPECT_EQ(path.parameter, 0.0);
}

TEST(Path, PlacesOutsideTheRangeAreRefused)
{
    Path path;
    const Point3 points[2] = {{0, 0, 0}, {10, 0, 0}};
    path.setPoints(2, points);
    path.setParameter(40.0);
    EXPECT_FALSE(path.setParameter(100.5).has_value());
    EXPECT_FALSE(path.setParameter(-0.001).has_value());
    EXPECT_EQ(path.parameter, 40.0);
    // Written directly out of range, the place gives none.
    path.parameter = 101.0;
    EXPECT_FALSE(path.currentPoint().has_value());
}

TEST(Path, ZeroLengthSegmentsArePassedOver)
{
    Path first;
    const Point3 doubledStart[3] = {{0, 0, 0}, {0, 0, 0}, {4, 0, 0}};
    first.setPoints(3, doubledStart);
    EXPECT_EQ(first.totalLength, 4.0);
    expectPoint(first.setParameter(0.0), 0, 0, 0);
    expectPoint(first.setParameter(50.0), 2, 0, 0);

    Path middle;
    const Point3 doubledMiddle[4] = {{0, 0, 0}, {2, 0, 0}, {2, 0, 0}, {2, 2, 0}};
    middle.setPoints(4, doubledMiddle);
    expectPoint(middle.setParameter(50.0), 2, 0, 0);
    expectPoint(middle.setParameter(75.0), 2, 1, 0);

    // The last segment has no length: 100 percent is the last vertex, not a not-a-number.
    Path last;
    const Point3 doubledEnd[3] = {{0, 0, 0}, {4, 0, 0}, {4, 0, 0}};
    last.setPoints(3, doubledEnd);
    expectPoint(last.setParameter(100.0), 4, 0, 0);
    expectPoint(last.setParameter(50.0), 2, 0, 0);
}

TEST(Path, LengthsComeFromSinglePrecisionPoints)
{
    Path path;
    const Point3 points[2] = {{0, 0, 0}, {0.1f, 0, 0}};
    path.setPoints(2, points);
    EXPECT_EQ(path.totalLength, static_cast<double>(0.1f));
    EXPECT_NE(path.totalLength, 0.1);
    // A point between two vertices is rounded to single precision once.
    Path diagonal;
    const Point3 slope[2] = {{0, 0, 0}, {3, 4, 0}};
    diagonal.setPoints(2, slope);
    auto point = diagonal.setParameter(10.0);
    ASSERT_TRUE(point.has_value());
    EXPECT_EQ(point->x, 0.3f);
    EXPECT_EQ(point->y, 0.4f);
    // The unit vector's end is rounded to single precision before it is scaled, so the far end of
    // an oblique segment is reached only to within that rounding.
    point = diagonal.setParameter(100.0);
    ASSERT_TRUE(point.has_value());
    EXPECT_NEAR(point->x, 3.0f, 1e-6f);
    EXPECT_NEAR(point->y, 4.0f, 1e-6f);
}

TEST(Path, LinesWithoutTwoUsableVerticesNeverMove)
{
    Path single;
    const Point3 one[1] = {{1, 2, 3}};
    single.setPoints(1, one);
    EXPECT_EQ(single.milestones, nullptr);
    expectPoint(single.currentPoint(), 1, 2, 3);
    EXPECT_FALSE(single.advance(1.0));
    EXPECT_EQ(single.parameter, 0.0);
    expectPoint(single.setParameter(50.0), 1, 2, 3);

    Path empty;
    empty.setPoints(0, nullptr);
    EXPECT_FALSE(empty.currentPoint().has_value());
    EXPECT_FALSE(empty.advance(1.0));

    Path neverBuilt;
    EXPECT_FALSE(neverBuilt.currentPoint().has_value());

    Path coincident;
    const Point3 same[3] = {{5, 5, 5}, {5, 5, 5}, {5, 5, 5}};
    coincident.setPoints(3, same);
    EXPECT_EQ(coincident.totalLength, 0.0);
    expectPoint(coincident.setParameter(100.0), 5, 5, 5);
    EXPECT_FALSE(coincident.advance(-1.0));

    Path unbounded;
    const Point3 far[2] = {{0, 0, 0}, {INFINITY, 0, 0}};
    unbounded.setPoints(2, far);
    EXPECT_FALSE(unbounded.advance(1.0));
    expectPoint(unbounded.currentPoint(), 0, 0, 0);
}

TEST(Path, CopySharesTheLineButKeepsItsOwnPlace)
{
    auto* source = new Path();
    const Point3 points[3] = {{0, 0, 0}, {1, 0, 0}, {1, 3, 0}};
    source->setPoints(3, points);
    source->setParameter(25.0);
    source->position = Point3{7, 7, 7};

    auto* copy = new Path(*source);
    EXPECT_TRUE(copy->shared);
    EXPECT_EQ(copy->milestones, source->milestones);
    EXPECT_EQ(copy->pathMesh, source->pathMesh);
    EXPECT_EQ(copy->parameter, 25.0);
    EXPECT_EQ(copy->totalLength, 4.0);
    EXPECT_EQ(copy->position.x, 0.0f);
    EXPECT_EQ(copy->scale.x, 1.0f);

    expectPoint(copy->setParameter(50.0), 1, 1, 0);
    expectPoint(source->currentPoint(), 1, 0, 0);
    // Destroying the copy frees nothing the source still follows.
    delete copy;
    expectPoint(source->setParameter(100.0), 1, 3, 0);
    delete source;
}

TEST(Path, SettingPointsAgainReplacesTheLine)
{
    Path path;
    const Point3 first[2] = {{0, 0, 0}, {10, 0, 0}};
    const Point3 second[2] = {{0, 0, 0}, {0, 2, 0}};
    path.setPoints(2, first);
    path.setPoints(2, second);
    EXPECT_EQ(path.totalLength, 2.0);
    expectPoint(path.setParameter(50.0), 0, 1, 0);
}

class PathFile : public ::testing::Test {
protected:
    std::string file(const char* name)
    {
        const char* test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        return ::testing::TempDir() + "orbek_path_" + test + "_" + name;
    }
};

TEST_F(PathFile, FirstObjectOfTheFileIsTheLineInVertexOrder)
{
    write3ds::Model model;
    write3ds::MeshDesc line;
    line.name = "line";
    line.vertices = {0, 0, 0, 0, 0, 2, 6, 0, 2};
    line.faces = {2, 1, 0};  // faces play no part
    write3ds::MeshDesc other;
    other.name = "other";
    other.vertices = {100, 100, 100, 200, 200, 200};
    model.meshes = {line, other};
    const std::string path = file("line.3ds");
    ASSERT_TRUE(write3ds::writeFile(path, model));

    Path followed;
    followed.loadPath(path.c_str());
    std::remove(path.c_str());
    ASSERT_NE(followed.pathMesh, nullptr);
    EXPECT_EQ(followed.totalLength, 8.0);
    EXPECT_EQ(followed.milestones[1], 25.0);
    expectPoint(followed.setParameter(25.0), 0, 0, 2);
    expectPoint(followed.setParameter(50.0), 2, 0, 2);
    followed.destroyItems();
}

TEST_F(PathFile, MissingFileLeavesAPathThatNeverMoves)
{
    Path missing;
    missing.loadPath(file("absent.3ds").c_str());
    EXPECT_EQ(missing.milestones, nullptr);
    EXPECT_FALSE(missing.currentPoint().has_value());
    EXPECT_FALSE(missing.advance(0.5));
}

}  // namespace
