// Path following. Each segment is measured with Vector in double precision; the point on a segment
// is its unit vector scaled by the distance along it, rounded to single precision once at the end.
// It must never normalise a zero-length segment: those are passed over, or give their end vertex.
#include "scene/Path.h"

#include <cmath>

#include "scene/Mesh.h"
#include "scene/NamedList.h"
#include "scene/Vector.h"

static Vector segment(const float* from, const float* to) {
    return Vector(from[0], from[1], from[2], to[0], to[1], to[2]);
}

static Point3 vertexAt(const float* vertices, int index) {
    return Point3{vertices[3 * index], vertices[3 * index + 1], vertices[3 * index + 2]};
}

Path::Path()
    : parameter(0.0),
      totalLength(0.0),
      milestones(nullptr),
      pathMesh(nullptr),
      ownsPathMesh(false) {}

Path::Path(const Path& other)
    : SceneObject(other),
      parameter(other.parameter),
      totalLength(other.totalLength),
      milestones(other.milestones),
      pathMesh(other.pathMesh),
      ownsPathMesh(false) {
    // A copy follows the same line but starts with a transform of its own.
    position = Point3{0.0f, 0.0f, 0.0f};
    rotation = Point3{0.0f, 0.0f, 0.0f};
    scale = Point3{1.0f, 1.0f, 1.0f};
}

Path::~Path() {
    if (!shared) releasePolyline();
}

void Path::releasePolyline() {
    delete[] milestones;
    milestones = nullptr;
    if (ownsPathMesh) delete pathMesh;
    pathMesh = nullptr;
    ownsPathMesh = false;
    totalLength = 0.0;
}

void Path::loadPath(const char* path) {
    if (!shared) releasePolyline();
    load(path);
    pathMesh = static_cast<Mesh*>(meshes->first());
    buildMilestones();
}

void Path::setPoints(int count, const Point3* points) {
    if (!shared) releasePolyline();
    pathMesh = new Mesh();
    ownsPathMesh = true;
    if (count > 0 && points) {
        pathMesh->vertices = new float[3 * static_cast<std::size_t>(count)];
        for (int i = 0; i < count; ++i) {
            pathMesh->vertices[3 * i] = points[i].x;
            pathMesh->vertices[3 * i + 1] = points[i].y;
            pathMesh->vertices[3 * i + 2] = points[i].z;
        }
        pathMesh->vertexCount = count;
    }
    buildMilestones();
}

// Milestones exist only for a line of two or more vertices with a finite, non-zero length.
void Path::buildMilestones() {
    if (!pathMesh || !pathMesh->vertices || pathMesh->vertexCount < 2) return;
    const int n = pathMesh->vertexCount;
    const float* v = pathMesh->vertices;
    double* reached = new double[n];
    reached[0] = 0.0;
    for (int i = 1; i < n; ++i)
        reached[i] = reached[i - 1] + segment(v + 3 * (i - 1), v + 3 * i).length();
    double total = reached[n - 1];
    if (!(total > 0.0) || !std::isfinite(total)) {
        delete[] reached;
        return;
    }
    for (int i = 0; i < n; ++i) reached[i] = reached[i] * 100.0 / total;
    milestones = reached;
    totalLength = total;
}

bool Path::followable() const {
    return milestones != nullptr;
}

std::optional<Point3> Path::setParameter(double t) {
    if (t < 0.0 || t > 100.0) return std::nullopt;
    parameter = t;
    return currentPoint();
}

bool Path::advance(double step) {
    double next = parameter + step;
    if (!followable() || !(next >= 0.0 && next <= 100.0)) return false;
    parameter = next;
    return true;
}

std::optional<Point3> Path::currentPoint() {
    if (parameter < 0.0 || parameter > 100.0) return std::nullopt;
    if (!followable()) {
        if (pathMesh && pathMesh->vertices && pathMesh->vertexCount >= 1)
            return vertexAt(pathMesh->vertices, 0);
        return std::nullopt;
    }
    const int n = pathMesh->vertexCount;
    const float* v = pathMesh->vertices;
    int i = 1;
    while (i < n && !(parameter < milestones[i])) ++i;
    if (i == n) i = n - 1;
    Vector along = segment(v + 3 * (i - 1), v + 3 * i);
    // Only a zero-length last segment can be chosen here: its end is the place.
    if (along.length() == 0.0) return vertexAt(v, i);
    double distance = (parameter - milestones[i - 1]) * totalLength / 100.0;
    return along.normalised().scaled(distance).end;
}
