// Where our geometry lands in the scenes, recomputed from the scenes' own rules: the earth where
// the final rocket's path meets the camera's look point, the camera paths joining up with scene 1,
// the earth whole inside the 640x480 view, the stars inside the far plane, and no path running
// along the up axis.
#include <gtest/gtest.h>

#include <cmath>

#include "assets/Models.h"
#include "assets/PolylineFollower.h"
#include "assets/Staging.h"

namespace {

using namespace staging;

// Where point lands on the screen with the demo's camera (gluLookAt with up -Z, 45 degrees,
// 640 / 480, near 0.1, far 100): normalised device x and y, and whether it is between the planes.
struct Projection {
    double x, y;
    bool between;
    bool onScreen() const { return between && std::abs(x) <= 1.0 && std::abs(y) <= 1.0; }
};

Projection project(const Vec3& eye, const Vec3& center, const Vec3& point) {
    const Vec3 f = (center - eye).normalised();
    const Vec3 s = f.cross(worldUp).normalised();
    const Vec3 u = s.cross(f);
    const Vec3 d = point - eye;
    const double depth = f.dot(d);
    const double t = std::tan(22.5 * degree);
    if (depth <= 0.1) return {0, 0, false};
    return {s.dot(d) / depth / (t * 640.0 / 480.0), u.dot(d) / depth / t, depth < show::farPlane};
}

double maxStarRadius() {
    double r = 0.0;
    for (const auto& mesh : models::makeStars().meshes)
        for (std::size_t i = 0; i + 2 < mesh.vertices.size(); i += 3)
            r = std::max(
                r, Vec3{mesh.vertices[i], mesh.vertices[i + 1], mesh.vertices[i + 2]}.length());
    return r;
}

void expectAwayFromUpAxis(const std::vector<Vec3>& points, const char* what) {
    double steepest = 0.0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Vec3 d = points[i] - points[i - 1];
        if (d.length() > 1e-9) steepest = std::max(steepest, std::abs(d.normalised().z));
    }
    // More than 45 degrees away from the up axis everywhere.
    EXPECT_LT(steepest, std::sqrt(0.5)) << what;
}

}  // namespace

TEST(Staging, EarthSitsWhereTheFinalRocketMeetsTheLookTarget) {
    const Vec3 e = earthPosition();
    // The rocket at the end of launchPath, drawn in the earth's frame, stands at the target.
    const Vec3 launchEnd = toFloat(e + launchOffset);
    const Vec3 world = e + earthRotation() * launchEnd;
    EXPECT_NEAR((world - finalLookTarget).length(), 0.0, 1e-4);
    // And camera path 2's 99.9 % point, where the start-up puts the earth, is that position.
    const Vec3 placed = PolylineFollower(cameraPath2Points()).pointAt(show::earthPlacePercent);
    EXPECT_NEAR((placed - e).length(), 0.0, 1e-3);
    // The rocket's straight line from the earth's centre to the target is what the look path
    // follows.
    for (double p : {0.0, 25.0, 50.0, 75.0, 100.0}) {
        const Vec3 rocket = e + earthRotation() * (launchEnd * (p / 100.0));
        const Vec3 look = e + (finalLookTarget - e) * (p / 100.0);
        EXPECT_NEAR((rocket - look).length(), 0.0, 1e-3) << p;
    }
}

// Which subjects are on screen is checked by playing the show (StagedShowTest); here, what that
// cannot see: paths that join up, keep off the up axis, and keep the camera clear of its subjects.
TEST(Staging, PathsJoinUpAndKeepOffTheUpAxisAndClearOfTheSubjects) {
    const std::vector<Vec3> tube = tubePathPoints();
    // Along +Y from the start past the first digit, where the waiting aeroplane points.
    const PolylineFollower tubeLine(tube);
    EXPECT_NEAR((tubeLine.pointAt(9.0) - tubeLine.pointAt(0.0)).normalised().y, 1.0, 1e-9);
    expectAwayFromUpAxis(tube, "tube path");
    expectAwayFromUpAxis(cameraPath1Points(), "camera path 1");
    expectAwayFromUpAxis(cameraPath2Points(), "camera path 2");

    // Camera path 1 begins where scene 1 left the eye, and scene 2's first frame moves it by one
    // step.
    const PolylineFollower path(cameraPath1Points());
    const SceneOneRun run = replaySceneOne();
    EXPECT_NEAR((path.pointAt(0.0) - run.handOverEye).length(), 0.0, 1e-5);
    EXPECT_LT((path.pointAt(0.08) - run.handOverEye).length(), 0.2);
    // Scene 2 never brings the camera within two units of the aeroplane at the origin.
    double nearest = 1e9;
    for (int frame = 1; frame * 0.08 <= 90.0; ++frame)
        nearest = std::min(nearest, path.pointAt(frame * 0.08).length());
    EXPECT_GT(nearest, 2.0);

    // Scene 4 holds at 70 %: the whole earth is in view, and the flag is seen broadside.
    const Vec3 e = earthPosition();
    const Vec3 from = path.pointAt(show::earthPlacePercent);
    const Vec3 approachStop = from + (e - from) * (show::approachStopPercent / 100.0);
    const Vec3 look = PolylineFollower(cameraPath2Points()).pointAt(99.5);
    for (const Vec3& rim :
         {Vec3{earthRadius, 0, 0}, Vec3{0, earthRadius, 0}, Vec3{0, 0, earthRadius}})
        EXPECT_TRUE(project(approachStop, look, e + rim).onScreen());
    const Vec3 pole = earthRotation() * (rotationX(46.0) * Vec3{0.0, 0.0, 1.0});
    EXPECT_LT(std::abs(pole.dot((look - approachStop).normalised())), 0.5);
    // Scene 5: eye and look move together, the eye clear of the earth and of the rocket it follows.
    for (double p = 0.0; p <= 100.0; p += 5.0) {
        const Vec3 eye = approachStop + (finalEyeTarget - approachStop) * (p / 100.0);
        const Vec3 center = e + (finalLookTarget - e) * (p / 100.0);
        EXPECT_GT((eye - e).length(), earthRadius + 1.0) << p;
        EXPECT_GT((center - eye).length(), 2.0) << p;
    }
}

TEST(Staging, EveryStarStaysInsideTheFarPlane) {
    const double stars = maxStarRadius();
    EXPECT_LE(stars, starOuterRadius);
    double farthest = 0.0;
    const auto see = [&](const Vec3& eye, const Vec3& starsAt) {
        farthest = std::max(farthest, (eye - starsAt).length());
    };
    // Scene 1 from 82 %: stars round the aeroplane, the camera behind it.
    const PolylineFollower tube(tubePathPoints());
    for (double p : replaySceneOne().departure)
        if (p > 82.0) see(tube.pointAt(p), tube.pointAt(p + show::lookAhead));
    // Scene 2: stars round the look point (the origin, later camera path 2 up to about 10 %).
    const PolylineFollower path1(cameraPath1Points()), path2(cameraPath2Points());
    for (int frame = 1; frame * 0.08 <= 100.0; ++frame) {
        const double p = frame * 0.08;
        see(path1.pointAt(p), p > 90.0 ? path2.pointAt((p - 90.0)) : Vec3{});
    }
    // Scenes 3 to 5: stars round the origin.
    const Vec3 e = earthPosition();
    const Vec3 from = path1.pointAt(show::earthPlacePercent);
    const Vec3 approachStop = from + (e - from) * (show::approachStopPercent / 100.0);
    for (double p = 0.0; p <= 100.0; p += 1.0) {
        see(from + (e - from) * (p / 100.0 * show::approachStopPercent / 100.0), {});
        see(approachStop + (finalEyeTarget - approachStop) * (p / 100.0), {});
    }
    EXPECT_LT(farthest + stars, show::farPlane)
        << "camera up to " << farthest << " from the stars' centre";
    // And no star comes within a few units of any of those cameras.
    EXPECT_GT(starInnerRadius - farthest, 5.0);
}
