// A polyline followed by percentage of its length: 0 is the first vertex, 100 the last, and equal
// steps cover equal distances. Lengths and percentages are kept in double precision, points in
// single. A polyline with fewer than two vertices, or no length, is refused: it never moves and
// gives its only point, or none. A copy shares the polyline and never frees it.
#pragma once

#include <optional>

#include "scene/Point3.h"
#include "scene/SceneObject.h"

class Mesh;

class Path : public SceneObject {
public:
    Path();
    Path(const Path& other);
    Path& operator=(const Path&) = delete;
    ~Path() override;

    // The first object of a 3DS file, in vertex order, becomes the polyline; its faces play no
    // part.
    virtual void loadPath(const char* path);
    // A copy of count points becomes the polyline.
    void setPoints(int count, const Point3* points);

    // None, with parameter unchanged, outside 0 to 100.
    std::optional<Point3> setParameter(double t);
    // Moves by step percent when the result stays within 0 to 100; false (and no move) otherwise.
    bool advance(double step);
    // The point at parameter percent of the length; none outside 0 to 100 or without a polyline.
    std::optional<Point3> currentPoint();

    double parameter;
    double totalLength;
    double* milestones;  // one per vertex: the percentage reached there
    Mesh* pathMesh;      // not owned when it came from the file (the object's lists hold it)

private:
    bool followable() const;
    void buildMilestones();
    void releasePolyline();

    bool ownsPathMesh;  // made by setPoints
};
