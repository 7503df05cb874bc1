// The start-up's paths: three polylines from the unpacked files and five straight lines placed
// around the earth, which itself is put at the 99.9 percent point of the second camera path.
#include "scene/Paths.h"

#include <string>

#include "show/ShowConstants.h"

Path* tubePath = nullptr;
Path* tubeLookPath = nullptr;
Path* cameraPath1 = nullptr;
Path* cameraPath2 = nullptr;
Path* approachPath = nullptr;
Path* launchPath = nullptr;
Path* finalLookPath = nullptr;
Path* finalEyePath = nullptr;

static Path* loadedPath(const char* folder, const char* fileName) {
    Path* path = new Path();
    path->loadPath((std::string(folder) + fileName).c_str());
    return path;
}

// A path that is missing gives the origin rather than stopping the start-up.
static Point3 pointOf(const std::optional<Point3>& point) {
    return point.value_or(Point3{0.0f, 0.0f, 0.0f});
}

// base moved by offset, in the paths' single precision.
static Point3 point(const Point3& base, const show::Place& offset) {
    return {base.x + static_cast<float>(offset.x), base.y + static_cast<float>(offset.y),
            base.z + static_cast<float>(offset.z)};
}

void setUpPaths(const char* folder, SceneObject& earth) {
    tubePath = loadedPath(folder, "lineatubo6.3ds");
    tubeLookPath = new Path(*tubePath);
    tubePath->parameter = show::tubeStartPercent;

    cameraPath1 = loadedPath(folder, "pathcam1.3ds");
    cameraPath1->setParameter(show::earthPlacePercent);
    cameraPath2 = loadedPath(folder, "pathcam2.3ds");
    cameraPath2->setParameter(show::earthPlacePercent);
    earth.position = pointOf(cameraPath2->currentPoint());

    approachPath = new Path();
    const Point3 approach[2] = {pointOf(cameraPath1->currentPoint()), earth.position};
    approachPath->setPoints(2, approach);
    approachPath->setParameter(show::approachStopPercent);
    const Point3 approachStop = pointOf(approachPath->currentPoint());

    cameraPath1->setParameter(0.0);
    cameraPath2->setParameter(0.0);
    approachPath->setParameter(0.0);

    const Point3 e = earth.position;
    launchPath = new Path();
    const Point3 launch[2] = {{0.0f, 0.0f, 0.0f}, point(e, show::launchOffset)};
    launchPath->setPoints(2, launch);
    launchPath->setParameter(0.0);

    finalLookPath = new Path();
    const Point3 finalLook[2] = {e, point(Point3{}, show::finalLookTarget)};
    finalLookPath->setPoints(2, finalLook);
    finalLookPath->setParameter(0.0);

    finalEyePath = new Path();
    const Point3 finalEye[2] = {approachStop, point(Point3{}, show::finalEyeTarget)};
    finalEyePath->setPoints(2, finalEye);
    finalEyePath->setParameter(0.0);
}
