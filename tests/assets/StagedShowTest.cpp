// Our generated models played through the real start-up and director, offscreen: frame by frame
// the scene's subject (countdown digits, aeroplane, rockets, earth and flag, final rocket) must
// stand in front of the camera and project inside the 640x480 view. The subjects' positions are
// read from the show's own objects, transformed by GL exactly as the scenes draw them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/Demo.h"
#include "app/Objects.h"
#include "app/AssetFolder.h"
#include "assets/AssetSet.h"
#include "assets/Vec3.h"
#include "director/Director.h"
#include "effects/Flag.h"
#include "platform/Files.h"
#include "platform/GL.h"
#include "scene/Camera.h"
#include "scene/Mesh.h"
#include "scene/NamedList.h"
#include "scene/Paths.h"
#include "scene/SceneObject.h"
#include "tests/support/OffscreenGL.h"

namespace {

// The window the show is made for; the test renders smaller, with the same aspect.
constexpr double viewAspect = 640.0 / 480.0;
const double digitPlaces[] = {8.25, 7.0, 5.75, 4.5, 3.25};
constexpr double digitHalfHeight = 1.3;  // the digits stand about 2.6 units tall
constexpr double aeroplanePlace = 0.5;
// Closer than this, a subject the camera has just flown through cannot be on screen whole.
constexpr double flyThroughDistance = 4.0;
constexpr double gazeLeavesAeroplane = 90.0;

// Where a point lands: in front of the camera, and normalised device x and y.
struct Landing {
    double depth = 0, x = 0, y = 0;
    bool inView() const {
        return depth > 0.1 && depth < 100.0 && std::abs(x) <= 1.0 && std::abs(y) <= 1.0;
    }
};

// Projects local, a point of the frame that place() leaves on the modelview matrix.
Landing project(const std::function<void()>& place, const Vec3& local) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    place();
    double mv[16], pr[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    const double in[4] = {local.x, local.y, local.z, 1.0};
    double eye[4] = {0, 0, 0, 0}, clip[4] = {0, 0, 0, 0};
    for (int row = 0; row < 4; ++row)
        for (int k = 0; k < 4; ++k) eye[row] += mv[k * 4 + row] * in[k];
    for (int row = 0; row < 4; ++row)
        for (int k = 0; k < 4; ++k) clip[row] += pr[k * 4 + row] * eye[k];
    Landing landing;
    landing.depth = -eye[2];
    if (clip[3] > 1e-9) {
        landing.x = clip[0] / clip[3];
        landing.y = clip[1] / clip[3];
    }
    return landing;
}

// The middle of an object's meshes' bounding box, in its own coordinates.
Vec3 boundsCentre(SceneObject* object) {
    double low[3] = {1e30, 1e30, 1e30}, high[3] = {-1e30, -1e30, -1e30};
    for (auto* mesh = static_cast<Mesh*>(object->meshes->first()); mesh;
         mesh = static_cast<Mesh*>(object->meshes->next()))
        for (int v = 0; v < mesh->vertexCount; ++v)
            for (int axis = 0; axis < 3; ++axis) {
                low[axis] = std::min(low[axis], static_cast<double>(mesh->vertices[v * 3 + axis]));
                high[axis] =
                    std::max(high[axis], static_cast<double>(mesh->vertices[v * 3 + axis]));
            }
    if (low[0] > high[0]) return {};
    return {(low[0] + high[0]) / 2, (low[1] + high[1]) / 2, (low[2] + high[2]) / 2};
}

void placeObject(SceneObject* object) {
    object->applyTransform();
    glScalef(object->scale.x, object->scale.y, object->scale.z);
}

// One subject's record over the show: frames checked, the first stretch in view, and the misses.
struct Tally {
    explicit Tally(const char* subject) : name(subject) {}

    const char* name;
    int checked = 0, last = -1;  // last: the last frame in view
    int firstRun = 0;            // frames of the first unbroken stretch in view
    bool runOpen = true;
    std::vector<std::string> misses;

    void see(int frame, const Landing& at, bool required) {
        ++checked;
        if (at.inView()) {
            if (runOpen) ++firstRun;
            last = frame;
        } else if (firstRun > 0) {
            runOpen = false;
        }
        if (!at.inView() && required && misses.size() < 8) {
            char text[160];
            std::snprintf(text, sizeof text, "%s at frame %d: depth %.2f, x %.2f, y %.2f", name,
                          frame, at.depth, at.x, at.y);
            misses.emplace_back(text);
        }
    }
};

class StagedShow : public ::testing::Test {
protected:
    void SetUp() override {
        gl = std::make_unique<testing_support::OffscreenGL>(160, 120);
        ASSERT_TRUE(gl->ready()) << gl->error();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, viewAspect, 0.1, 100.0);
        glMatrixMode(GL_MODELVIEW);

        char systemTemp[255];
        ASSERT_GT(platform::getTempPath(sizeof systemTemp, systemTemp), 0u);
        tempFolderLength = platform::makePrivateFolder(systemTemp, "orbek42-staging-",
                                                       sizeof tempFolder, tempFolder);
        ASSERT_GT(tempFolderLength, 0u);
        // Everything but the music: without it the show runs silent and starts at once.
        files = makeAssetsButMusic();
        for (const ArchiveInput& f : files) {
            const std::string path = std::string(tempFolder) + f.name;
            std::FILE* out = std::fopen(path.c_str(), "wb");
            ASSERT_NE(out, nullptr) << path;
            ASSERT_EQ(std::fwrite(f.data.data(), 1, f.data.size(), out), f.data.size()) << path;
            std::fclose(out);
        }
        ASSERT_TRUE(initDemo());
    }

    void TearDown() override {
        for (const ArchiveInput& f : files)
            platform::deleteFile((std::string(tempFolder) + f.name).c_str());
        platform::removeFolder(tempFolder);
    }

    std::unique_ptr<testing_support::OffscreenGL> gl;
    std::vector<ArchiveInput> files;
};

}  // namespace

TEST_F(StagedShow, EverySceneKeepsItsSubjectInFrontAndOnScreen) {
    const Vec3 aeroplaneCentre = boundsCentre(aeroplane);
    const Vec3 rocketCentre = boundsCentre(rocket);
    const Vec3 earthCentre = boundsCentre(earth);
    Path digitPath(*tubeLookPath);
    const auto look = [] { camera.look(); };

    Tally digits("countdown digit"), waiting("waiting aeroplane"), departing("departing aeroplane"),
        circled("circled aeroplane"), gazeAway("aeroplane, gaze away"), firstRocket("first rocket"),
        secondRocket("second rocket"), arriving("earth, gaze arriving"),
        earthHeld("earth, approach"), flagTop("flag pole top"), finalRocket("final rocket");
    int lastGazeFrame = -1;

    int frame = 0;
    for (; drawFrame(); ++frame) {
        ASSERT_LT(frame, 6000) << "the show does not end";
        if (sceneIndex == 0 && sceneOnePhase == 0) {
            // The camera backs along the tube looking ahead: each digit comes into view as the
            // camera flies through it. The one it passed last is the subject once it is clear.
            const double p = tubePath->parameter;
            const Vec3 eye{camera.eye.x, camera.eye.y, camera.eye.z};
            bool found = false;
            for (int d = 4; d >= 0 && !found; --d) {
                if (digitPlaces[d] <= p) continue;
                found = true;
                const auto at = digitPath.setParameter(digitPlaces[d]);
                ASSERT_TRUE(at.has_value());
                const Vec3 centre{at->x, at->y, at->z - digitHalfHeight};
                if ((centre - eye).length() >= flyThroughDistance)
                    digits.see(frame, project(look, centre), true);
            }
            // The waiting aeroplane is ahead of the camera only in the last frames.
            const Landing plane = project(
                [] {
                    camera.look();
                    placeObject(aeroplane);
                },
                aeroplaneCentre);
            if (p < aeroplanePlace && plane.depth > flyThroughDistance * 0.5)
                waiting.see(frame, plane, true);
        } else if (sceneIndex == 0) {
            departing.see(frame,
                          project(
                              [] {
                                  camera.look();
                                  placeObject(aeroplane);
                              },
                              aeroplaneCentre),
                          true);
        } else if (sceneIndex == 1) {
            const Landing plane = project(
                [] {
                    camera.look();
                    placeObject(aeroplane);
                },
                aeroplaneCentre);
            if (cameraPath1->parameter <= gazeLeavesAeroplane)
                circled.see(frame, plane, true);
            else
                gazeAway.see(frame, plane, false);
            if (sceneFrame > 150)
                firstRocket.see(frame,
                                project(
                                    [] {
                                        camera.look();
                                        placeObject(aeroplane);
                                        placeObject(rocket);
                                    },
                                    rocketCentre),
                                false);
            if (sceneFrame > 900)
                secondRocket.see(frame,
                                 project(
                                     [] {
                                         camera.look();
                                         aeroplane->applyTransform();
                                         placeObject(rocketCopy);
                                     },
                                     rocketCentre),
                                 false);
        } else if (sceneIndex == 2) {
            arriving.see(frame,
                         project(
                             [] {
                                 camera.look();
                                 placeObject(earth);
                             },
                             earthCentre),
                         false);
            lastGazeFrame = frame;
        } else if (sceneIndex == 3) {
            earthHeld.see(frame,
                          project(
                              [] {
                                  camera.look();
                                  placeObject(earth);
                              },
                              earthCentre),
                          true);
            flagTop.see(frame,
                        project(
                            [] {
                                camera.look();
                                placeObject(earth);
                                glTranslatef(flag->position.x, flag->position.y, flag->position.z);
                                glRotatef(flag->rotation.x, 1.0f, 0.0f, 0.0f);
                                glRotatef(flag->rotation.y, 0.0f, 1.0f, 0.0f);
                                glRotatef(flag->rotation.z, 0.0f, 0.0f, 1.0f);
                            },
                            Vec3{0.0, 0.0, flag->poleHeight}),
                        true);
        } else if (rocketScale > 0.0f) {
            finalRocket.see(frame,
                            project(
                                [] {
                                    camera.look();
                                    earth->applyTransform();
                                    placeObject(rocket);
                                },
                                rocketCentre),
                            true);
        }
    }

    for (const Tally* t : {&digits, &waiting, &departing, &circled, &gazeAway, &firstRocket,
                           &secondRocket, &arriving, &earthHeld, &flagTop, &finalRocket})
        for (const std::string& miss : t->misses) ADD_FAILURE() << miss;

    EXPECT_EQ(sceneIndex, 4);
    // Every subject that must be seen was looked at in a good share of its scene.
    EXPECT_GT(digits.checked, 100);
    EXPECT_GE(waiting.checked, 1);
    EXPECT_GT(departing.checked, 1000);
    EXPECT_GT(circled.checked, 1000);
    EXPECT_GT(earthHeld.checked, 500);
    EXPECT_GT(finalRocket.checked, 500);
    // The launch is watched for well over a second, and the gaze ends on the earth.
    EXPECT_GE(firstRocket.firstRun, 35);
    EXPECT_GE(secondRocket.firstRun, 35);
    EXPECT_EQ(arriving.last, lastGazeFrame);
}
