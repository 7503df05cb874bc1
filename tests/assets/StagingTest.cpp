// Where our geometry lands in the scenes, recomputed from the scenes' own rules: the earth where
// the final rocket's path meets the camera's look point, the camera paths joining up with scene 1
// and the earth, the subjects inside the 640x480 view, the stars inside the far plane, and no
// path running along the up axis.
#include <gtest/gtest.h>

#include <cmath>

#include "assets/Models.h"
#include "assets/PolylineFollower.h"
#include "assets/Staging.h"

namespace {

using namespace staging;

const Vec3 worldUp{0.0, 0.0, -1.0};

// Where point lands on the screen with the demo's camera (gluLookAt with up -Z, 45 degrees,
// 640 / 480, near 0.1, far 100): normalised device x and y, and whether it is between the planes.
struct Projection {
    double x, y;
    bool between;
    bool onScreen() const { return between && std::abs(x) <= 1.0 && std::abs(y) <= 1.0; }
};

Projection project(const Vec3& eye, const Vec3& center, const Vec3& point)
{
    const Vec3 f = (center - eye).normalised();
    const Vec3 s = f.cross(worldUp).normalised();
    const Vec3 u = s.cross(f);
    const Vec3 d = point - eye;
    const double depth = f.dot(d);
    const double t = std::tan(22.5 * 3.14159265358979323846 / 180.0);
    if (depth <= 0.1)
        return {0, 0, false};
    return {s.dot(d) / depth / (t * 640.0 / 480.0), u.dot(d) / depth / t, depth < farPlane};
}

double maxStarRadius()
{
    double r = 0.0;
    for (const auto& mesh : models::makeStars().meshes)
        for (std::size_t i = 0; i + 2 < mesh.vertices.size(); i += 3)
            r = std::max(r, Vec3{mesh.vertices[i], mesh.vertices[i + 1], mesh.vertices[i + 2]}.length());
    return r;
}

void expectAwayFromUpAxis(const std::vector<Vec3>& points, const char* what)
{
    double steepest = 0.0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Vec3 d = points[i] - points[i - 1];
        if (d.length() > 1e-9)
            steepest = std::max(steepest, std::abs(d.normalised().z));
    }
    // More than 45 degrees away from the up axis everywhere.
    EXPECT_LT(steepest, std::sqrt(0.5)) << what;
}

}  // namespace

TEST(Staging, EarthSitsWhereTheFinalRocketMeetsTheLookTarget)
{
    const Vec3 e = earthPosition();
    EXPECT_NEAR(e.x, -10.92, 0.01);
    EXPECT_NEAR(e.y, 11.52, 0.01);
    EXPECT_NEAR(e.z, 1.39, 0.01);
    // The rocket at the end of launchPath, drawn in the earth's frame, stands at the target.
    const Vec3 launchEnd = toFloat(e + launchOffset);
    const Vec3 world = e + earthRotation() * launchEnd;
    EXPECT_NEAR((world - finalLookTarget).length(), 0.0, 1e-4);
    // And camera path 2's 99.9 % point, where the start-up puts the earth, is that position.
    const Vec3 placed = PolylineFollower(cameraPath2Points()).pointAt(cameraPathStartPercent);
    EXPECT_NEAR((placed - e).length(), 0.0, 1e-3);
    // The rocket's straight line from the earth's centre to the target is what the look path follows.
    for (double p : {0.0, 25.0, 50.0, 75.0, 100.0}) {
        const Vec3 rocket = e + earthRotation() * (launchEnd * (p / 100.0));
        const Vec3 look = e + (finalLookTarget - e) * (p / 100.0);
        EXPECT_NEAR((rocket - look).length(), 0.0, 1e-3) << p;
    }
}

TEST(Staging, TubeFitsTheCountdownAndStartsAlongTheWaitingAeroplane)
{
    const std::vector<Vec3> points = tubePathPoints();
    const PolylineFollower tube(points);
    EXPECT_GE(tube.totalLength(), 600.0);
    EXPECT_LE(tube.totalLength(), 800.0);
    EXPECT_NEAR(tubeRadius, 3.5, 0.5);
    // Along +Y from the start past the first digit, where the waiting aeroplane points.
    const Vec3 start = tube.pointAt(0.0), first = tube.pointAt(9.0);
    EXPECT_NEAR((first - start).normalised().y, 1.0, 1e-9);
    expectAwayFromUpAxis(points, "tube path");

    const SceneOneRun run = replaySceneOne();
    EXPECT_EQ(run.countdownFrames, 239);
    EXPECT_GT(run.departure.size(), 1050u);
    EXPECT_LT(run.departure.size(), 1100u);

    // Each digit (2.6 units tall, standing up from its path point) is on screen when the camera,
    // backing along the tube, is one percent in front of it.
    for (double digit : {8.25, 7.0, 5.75, 4.5, 3.25}) {
        const double p = digit - 1.0;
        const Vec3 eye = tube.pointAt(p), center = tube.pointAt(p + sceneOneLookAhead);
        const Vec3 base = tube.pointAt(digit);
        EXPECT_TRUE(project(eye, center, base).onScreen()) << digit;
        EXPECT_TRUE(project(eye, center, base + worldUp * 2.6).onScreen()) << digit;
        EXPECT_LT(2.6, tubeRadius) << "the digit fits inside the tube";
    }
    // At the end of the countdown the camera sits behind the waiting aeroplane and sees it.
    const double last = tubeStartPercent - sceneOneBackStep * run.countdownFrames;
    EXPECT_TRUE(project(tube.pointAt(last), tube.pointAt(last + sceneOneLookAhead), tube.pointAt(0.5)).onScreen());
}

TEST(Staging, CameraPathOneContinuesSceneOneAndEndsTwentyFromTheEarth)
{
    const std::vector<Vec3> points = cameraPath1Points();
    const PolylineFollower path(points);
    const SceneOneRun run = replaySceneOne();
    EXPECT_NEAR((path.pointAt(0.0) - run.handOverEye).length(), 0.0, 1e-5);
    // Scene 2's first frame moves the eye by one step only.
    EXPECT_LT((path.pointAt(0.08) - run.handOverEye).length(), 0.2);
    const Vec3 end = path.pointAt(cameraPathStartPercent);
    EXPECT_NEAR((end - earthPosition()).length(), cameraToEarthAtPath1End, 0.2);
    expectAwayFromUpAxis(points, "camera path 1");
    expectAwayFromUpAxis(cameraPath2Points(), "camera path 2");

    // Scene 2: the aeroplane at the origin is on screen while the camera looks at it, and the
    // camera never comes closer than two units; the first rocket is in view for a while after launch.
    int rocketFramesInView = 0;
    double nearest = 1e9;
    for (int frame = 1; frame * 0.08 <= 90.0; ++frame) {
        const Vec3 eye = path.pointAt(frame * 0.08);
        nearest = std::min(nearest, eye.length());
        EXPECT_TRUE(project(eye, {}, {}).onScreen()) << frame;
        if (frame > 151 && frame < 400) {
            // In the aeroplane's frame (turned 180 degrees about Y) the rocket climbs along +Y.
            const Vec3 rocketLocal{-0.15, 1.0 + 0.1 * (frame - 151), 0.15};
            const Vec3 rocket{-rocketLocal.x, rocketLocal.y, -rocketLocal.z};
            rocketFramesInView += project(eye, {}, rocket).onScreen();
        }
    }
    EXPECT_GT(nearest, 2.0);
    EXPECT_GE(rocketFramesInView, 35);  // well over a second of the launch
}

TEST(Staging, EarthAndFlagAreFramedByTheApproachAndTheFinalRocketIsFollowed)
{
    const Vec3 e = earthPosition();
    const PolylineFollower path1(cameraPath1Points()), path2(cameraPath2Points());
    const Vec3 from = path1.pointAt(cameraPathStartPercent);
    const Vec3 approachStop = from + (e - from) * (approachStopPercent / 100.0);
    const Vec3 look = path2.pointAt(99.5);
    // Scene 3 ends looking at the earth from the end of camera path 1.
    EXPECT_TRUE(project(from, look, e).onScreen());
    // Scene 4 holds at 70 %: the earth's rim and the flag's top are in view.
    const Vec3 poleTop = e + earthRotation() * (rotationX(46.0) * Vec3{0.0, 0.0, 2.5});
    const Projection top = project(approachStop, look, poleTop);
    EXPECT_TRUE(top.onScreen()) << top.x << " " << top.y;
    for (const Vec3& rim : {Vec3{earthRadius, 0, 0}, Vec3{0, earthRadius, 0}, Vec3{0, 0, earthRadius}})
        EXPECT_TRUE(project(approachStop, look, e + rim).onScreen());
    // The flag is seen broadside rather than end on.
    const Vec3 pole = (poleTop - e).normalised();
    EXPECT_LT(std::abs(pole.dot((look - approachStop).normalised())), 0.5);
    // Scene 5: eye and look move together; the rocket (at the look point) is always in front,
    // and the final eye keeps clear of the earth.
    for (double p = 0.0; p <= 100.0; p += 5.0) {
        const Vec3 eye = approachStop + (finalEyeTarget - approachStop) * (p / 100.0);
        const Vec3 center = e + (finalLookTarget - e) * (p / 100.0);
        EXPECT_GT((eye - e).length(), earthRadius + 1.0) << p;
        EXPECT_GT((center - eye).length(), 2.0) << p;
    }
}

TEST(Staging, EveryStarStaysInsideTheFarPlane)
{
    const double stars = maxStarRadius();
    EXPECT_LE(stars, starOuterRadius);
    double farthest = 0.0;
    const auto see = [&](const Vec3& eye, const Vec3& starsAt) {
        farthest = std::max(farthest, (eye - starsAt).length());
    };
    // Scene 1 from 82 %: stars round the aeroplane, the camera behind it.
    const PolylineFollower tube(tubePathPoints());
    for (double p : replaySceneOne().departure)
        if (p > 82.0)
            see(tube.pointAt(p), tube.pointAt(p + sceneOneLookAhead));
    // Scene 2: stars round the look point (the origin, later camera path 2 up to about 10 %).
    const PolylineFollower path1(cameraPath1Points()), path2(cameraPath2Points());
    for (int frame = 1; frame * 0.08 <= 100.0; ++frame) {
        const double p = frame * 0.08;
        see(path1.pointAt(p), p > 90.0 ? path2.pointAt((p - 90.0)) : Vec3{});
    }
    // Scenes 3 to 5: stars round the origin.
    const Vec3 e = earthPosition();
    const Vec3 from = path1.pointAt(cameraPathStartPercent);
    const Vec3 approachStop = from + (e - from) * (approachStopPercent / 100.0);
    for (double p = 0.0; p <= 100.0; p += 1.0) {
        see(from + (e - from) * (p / 100.0 * approachStopPercent / 100.0), {});
        see(approachStop + (finalEyeTarget - approachStop) * (p / 100.0), {});
    }
    EXPECT_LT(farthest + stars, farPlane) << "camera up to " << farthest << " from the stars' centre";
    // And no star comes within a few units of any of those cameras.
    EXPECT_GT(starInnerRadius - farthest, 5.0);
}
