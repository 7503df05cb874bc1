// Path following: percentages of the length, the precision of points and lengths, the ends of the
// range, zero-length segments, refused polylines and copies that share their line; and the
// camera's view matrix.
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/GL.h"
#include "scene/Camera.h"
#include "scene/Mesh.h"
#include "scene/Path.h"
#include "tests/support/OffscreenGL.h"
#include "tools/write3ds/Writer3ds.h"

namespace {

void expectPoint(const std::optional<Point3>& point, float x, float y, float z) {
    ASSERT_TRUE(point.has_value());
    EXPECT_EQ(point->x, x);
    EXPECT_EQ(point->y, y);
    EXPECT_EQ(point->z, z);
}

void setPoints(Path& path, std::initializer_list<Point3> points) {
    path.setPoints(static_cast<int>(points.size()), points.begin());
}

TEST(Path, PointsLieInProportionToLengthPassingOverZeroLengthSegments) {
    const struct {
        const char* what;
        std::vector<Point3> line;
        double length;
        std::vector<std::pair<double, Point3>> at;  // in this order: the place may jump backwards
    } cases[] = {
        {"straight",
         {{0, 0, 0}, {10, 0, 0}},
         10.0,
         {{100, {10, 0, 0}}, {0, {0, 0, 0}}, {25, {2.5f, 0, 0}}}},
        {"bent",
         {{0, 0, 0}, {1, 0, 0}, {1, 3, 0}},
         4.0,
         {{25, {1, 0, 0}},
          {50, {1, 1, 0}},
          {12.5, {0.5f, 0, 0}},
          {87.5, {1, 2.5f, 0}},
          {5, {0.2f, 0, 0}}}},
        {"first segment empty",
         {{0, 0, 0}, {0, 0, 0}, {4, 0, 0}},
         4.0,
         {{0, {0, 0, 0}}, {50, {2, 0, 0}}}},
        {"middle segment empty",
         {{0, 0, 0}, {2, 0, 0}, {2, 0, 0}, {2, 2, 0}},
         4.0,
         {{50, {2, 0, 0}}, {75, {2, 1, 0}}}},
        // 100 percent is the last vertex, not a not-a-number.
        {"last segment empty",
         {{0, 0, 0}, {4, 0, 0}, {4, 0, 0}},
         4.0,
         {{100, {4, 0, 0}}, {50, {2, 0, 0}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Path path;
        path.setPoints(static_cast<int>(c.line.size()), c.line.data());
        EXPECT_EQ(path.totalLength, c.length);
        EXPECT_EQ(path.milestones[0], 0.0);
        EXPECT_EQ(path.milestones[c.line.size() - 1], 100.0);
        for (const auto& [t, point] : c.at) {
            expectPoint(path.setParameter(t), point.x, point.y, point.z);
            EXPECT_EQ(path.parameter, t);
        }
    }
}

TEST(Path, MovesOnlyWithinTheEndsAndTakesNewPoints) {
    Path path;
    setPoints(path, {{0, 0, 0}, {1, 0, 0}, {1, 3, 0}});
    EXPECT_EQ(path.milestones[1], 25.0);
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

    path.setParameter(40.0);
    EXPECT_FALSE(path.setParameter(100.5).has_value());
    EXPECT_FALSE(path.setParameter(-0.001).has_value());
    EXPECT_EQ(path.parameter, 40.0);
    // Written directly out of range, the place gives none.
    path.parameter = 101.0;
    EXPECT_FALSE(path.currentPoint().has_value());

    // Setting points again replaces the line.
    setPoints(path, {{0, 0, 0}, {0, 2, 0}});
    EXPECT_EQ(path.totalLength, 2.0);
    expectPoint(path.setParameter(50.0), 0, 1, 0);
}

TEST(Path, LengthsComeFromSinglePrecisionPoints) {
    Path path;
    setPoints(path, {{0, 0, 0}, {0.1f, 0, 0}});
    EXPECT_EQ(path.totalLength, static_cast<double>(0.1f));
    EXPECT_NE(path.totalLength, 0.1);
    // A point between two vertices is rounded to single precision once.
    Path diagonal;
    setPoints(diagonal, {{0, 0, 0}, {3, 4, 0}});
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

TEST(Path, LinesWithoutTwoUsableVerticesNeverMove) {
    Path single;
    setPoints(single, {{1, 2, 3}});
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
    setPoints(coincident, {{5, 5, 5}, {5, 5, 5}, {5, 5, 5}});
    EXPECT_EQ(coincident.totalLength, 0.0);
    expectPoint(coincident.setParameter(100.0), 5, 5, 5);
    EXPECT_FALSE(coincident.advance(-1.0));

    Path unbounded;
    setPoints(unbounded, {{0, 0, 0}, {INFINITY, 0, 0}});
    EXPECT_FALSE(unbounded.advance(1.0));
    expectPoint(unbounded.currentPoint(), 0, 0, 0);
}

TEST(Path, CopySharesTheLineButKeepsItsOwnPlace) {
    auto* source = new Path();
    setPoints(*source, {{0, 0, 0}, {1, 0, 0}, {1, 3, 0}});
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

TEST(Path, FirstObjectOfTheFileIsTheLineInVertexOrderAndAMissingFileNeverMoves) {
    write3ds::Model model;
    write3ds::MeshDesc line;
    line.name = "line";
    line.vertices = {0, 0, 0, 0, 0, 2, 6, 0, 2};
    line.faces = {2, 1, 0};  // faces play no part
    write3ds::MeshDesc other;
    other.name = "other";
    other.vertices = {100, 100, 100, 200, 200, 200};
    model.meshes = {line, other};
    const std::string path = ::testing::TempDir() + "orbek_path_line.3ds";
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

    Path missing;
    missing.loadPath(path.c_str());
    EXPECT_EQ(missing.milestones, nullptr);
    EXPECT_FALSE(missing.currentPoint().has_value());
    EXPECT_FALSE(missing.advance(0.5));
}

TEST(Camera, LookReplacesTheMatrixWithTheView) {
    testing_support::OffscreenGL gl;
    ASSERT_TRUE(gl.ready()) << gl.error();
    EXPECT_EQ(camera.up.y, 1.0f);  // as built before anything ran

    glMatrixMode(GL_MODELVIEW);
    glTranslatef(5, 6, 7);  // whatever came before is replaced
    Camera view;
    view.center = Point3{0, 0, -1};
    view.look();
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], (i % 5 == 0) ? 1.0f : 0.0f, 1e-6f) << i;

    // The demo's camera: up is world -Z, looking along +Y.
    view.up = Point3{0, 0, -1};
    view.center = Point3{0, 1, 0};
    view.look();
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    // Column-major: world -Z maps to eye +Y, world +Y to eye -Z (straight ahead).
    EXPECT_NEAR(-m[9], 1.0f, 1e-6f);
    EXPECT_NEAR(m[6], -1.0f, 1e-6f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
