// The start-up's paths: three polylines from the unpacked files and five straight lines placed
// around the earth, which itself is put at the 99.9 percent point of the second camera path.
#include "scene/Paths.h"

#include <string>

Path* tubePath = nullptr;
Path* tubeLookPath = nullptr;
Path* cameraPath1 = nullptr;
Path* cameraPath2 = nullptr;
Path* approachPath = nullptr;
Path* launchPath = nullptr;
Path* finalLookPath = nullptr;
Path* finalEyePath = nullptr;

static Path* loadedPath(const char* folder, const char* fileName)
{
    Path* path = new Path();
    path->loadPath((std::string(folder) + fileName).c_str());
    return path;
}

// A path that is missing gives the origin rather than stopping the start-up.
static Point3 pointOf(const std::optional<Point3>& point)
{
    return point.value_or(Point3{0.0f, 0.0f, 0.0f});
}

void setUpPaths(const char* folder, SceneObject& earth)
{
    tubePath = loadedPath(folder, "lineatubo6.3ds");
    tubeLookPath = new Path(*tubePath);
    tubePath->parameter = 12.0;

    cameraPath1 = loadedPath(folder, "pathcam1.3ds");
    cameraPath1->setParameter(99.9);
    cameraPath2 = loadedPath(folder, "pathcam2.3ds");
    cameraPath2->setParameter(99.9);
    earth.position = pointOf(cameraPath2->currentPoint());

    approachPath = new Path();
    const Point3 approach[2] = {pointOf(cameraPath1->currentPoint()), earth.position};
    approachPath->setPoints(2, approach);
    approachPath->setParameter(70.0);
    const Point3 approachAt70 = pointOf(approachPath->currentPoint());

    cameraPath1->setParameter(0.0);
    cameraPath2->setParameter(0.0);
    approachPath->setParameter(0.0);

    const Point3 e = earth.position;
    launchPath = new Path();
    const Point3 launch[2] = {{0.0f, 0.0f, 0.0f}, {e.x, e.y - 3.535f, e.z + 3.535f}};
    launchPath->setPoints(2, launch);
    launchPath->setParameter(0.0);

    finalLookPath = new Path();
    const Point3 finalLook[2] = {e, {-16.74f, 22.44f, -5.97f}};
    finalLookPath->setPoints(2, finalLook);
    finalLookPath->setParameter(0.0);

    finalEyePath = new Path();
    const Point3 finalEye[2] = {approachAt70, {-16.9f, 17.14f, -5.97f}};
    finalEyePath->setPoints(2, finalEye);
    finalEyePath->setParameter(0.0);
}
