// The start-up's eight paths, built from three path files written for the test, and the camera's
// view matrix. The earth and the temporary folder belong to the start-up code; the test provides
// its own.
#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/GL.h"
#include "scene/Camera.h"
#include "scene/Paths.h"
#include "tests/support/OffscreenGL.h"
#include "tools/write3ds/Writer3ds.h"

SceneObject* earth = nullptr;
char tempFolder[255];

namespace {

const char* const pathFiles[3] = {"lineatubo6.3ds", "pathcam1.3ds", "pathcam2.3ds"};

bool writeLine(const std::string& file, std::vector<float> vertices)
{
    write3ds::Model model;
    write3ds::MeshDesc line;
    line.name = "path";
    line.vertices = std::move(vertices);
    model.meshes.push_back(line);
    return write3ds::writeFile(file, model);
}

// Points along oblique lines carry the rounding of a single-precision unit vector scaled up to
// the line's length: a few millionths of the length of these lines of up to 45 units.
void expectPoint(const std::optional<Point3>& point, Point3 expected)
{
    ASSERT_TRUE(point.has_value());
    EXPECT_NEAR(point->x, expected.x, 1e-4f);
    EXPECT_NEAR(point->y, expected.y, 1e-4f);
    EXPECT_NEAR(point->z, expected.z, 1e-4f);
}

TEST(SetUpPaths, BuildsTheEightPathsAroundTheEarth)
{
    char parent[256];
    ASSERT_GT(platform::getTempPath(sizeof parent, parent), 0u);
    ASSERT_GT(platform::makePrivateFolder(parent, "orbek-paths", sizeof tempFolder, tempFolder), 0u);
    const std::string folder = tempFolder;
    ASSERT_TRUE(writeLine(folder + pathFiles[0], {0, 0, 0, 0, 0, -10, 0, 0, -20}));
    ASSERT_TRUE(writeLine(folder + pathFiles[1], {10, 0, 0, 10, 10, 0}));
    ASSERT_TRUE(writeLine(folder + pathFiles[2], {0, 0, 0, 20, 0, 0}));

    earth = new SceneObject();
    setUpPaths();
    for (const char* name : pathFiles)
        platform::deleteFile((folder + name).c_str());
    platform::removeFolder(tempFolder);

    // The earth stands at 99.9 percent of the second camera path.
    EXPECT_EQ(earth->position.x, static_cast<float>(20.0 * 99.9 / 100.0));
    EXPECT_EQ(earth->position.y, 0.0f);
    const Point3 e = earth->position;

    EXPECT_EQ(tubePath->parameter, 12.0);
    EXPECT_EQ(tubePath->totalLength, 20.0);
    EXPECT_EQ(tubeLookPath->parameter, 0.0);
    EXPECT_TRUE(tubeLookPath->shared);
    EXPECT_EQ(tubeLookPath->milestones, tubePath->milestones);
    expectPoint(tubePath->currentPoint(), Point3{0, 0, static_cast<float>(-20.0 * 12.0 / 100.0)});

    for (Path* path : {cameraPath1, cameraPath2, approachPath, launchPath, finalLookPath, finalEyePath})
        EXPECT_EQ(path->parameter, 0.0);

    // The approach runs from 99.9 percent of the first camera path to the earth.
    const Point3 approachStart{10.0f, static_cast<float>(10.0 * 99.9 / 100.0), 0.0f};
    expectPoint(approachPath->currentPoint(), approachStart);
    expectPoint(approachPath->setParameter(100.0), e);

    expectPoint(launchPath->currentPoint(), Point3{0, 0, 0});
    expectPoint(launchPath->setParameter(100.0), Point3{e.x, e.y - 3.535f, e.z + 3.535f});

    expectPoint(finalLookPath->currentPoint(), e);
    expectPoint(finalLookPath->setParameter(100.0), Point3{-16.74f, 22.44f, -5.97f});

    // The final eye starts where the approach stood at 70 percent.
    Path approachCopy(*approachPath);
    expectPoint(finalEyePath->currentPoint(), *approachCopy.setParameter(70.0));
    expectPoint(finalEyePath->setParameter(100.0), Point3{-16.9f, 17.14f, -5.97f});

    for (Path* path : {tubePath, cameraPath1, cameraPath2}) {
        path->destroyItems();
        delete path;
    }
    delete approachPath;
    delete launchPath;
    delete finalLookPath;
    delete finalEyePath;
    delete tubeLookPath;
    delete earth;
}

TEST(Camera, LookReplacesTheMatrixWithTheView)
{
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
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m[i], (i % 5 == 0) ? 1.0f : 0.0f, 1e-6f) << i;

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
