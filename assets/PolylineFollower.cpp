// Milestones in percent of the total length; the point is found on the first segment whose end
// milestone lies beyond the requested percentage, as the scenes' paths do it.
#include "assets/PolylineFollower.h"

#include <algorithm>

PolylineFollower::PolylineFollower(const std::vector<Vec3>& points) {
    for (const Vec3& p : points) vertices.push_back(toFloat(p));
    milestones.assign(vertices.size(), 0.0);
    for (std::size_t i = 1; i < vertices.size(); ++i)
        milestones[i] = milestones[i - 1] + (vertices[i] - vertices[i - 1]).length();
    total = milestones.empty() ? 0.0 : milestones.back();
    if (total > 0)
        for (double& m : milestones) m = m * 100.0 / total;
}

Vec3 PolylineFollower::pointAt(double percent) const {
    if (vertices.size() < 2 || total <= 0) return vertices.empty() ? Vec3{} : vertices.front();
    percent = std::clamp(percent, 0.0, 100.0);
    std::size_t i = 1;
    while (i < vertices.size() - 1 && !(percent < milestones[i])) ++i;
    const Vec3 d = vertices[i] - vertices[i - 1];
    const double along = (percent - milestones[i - 1]) * total / 100.0;
    const double length = d.length();
    if (length <= 0) return vertices[i];
    return toFloat(vertices[i - 1] + d * (along / length));
}
