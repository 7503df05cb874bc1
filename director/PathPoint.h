// Taking a path's point where there is one: outside 0 to 100 percent a path gives none, and then
// the target keeps the value it had.
#pragma once

#include <optional>

#include "scene/Point3.h"

inline void assignPoint(Point3& target, const std::optional<Point3>& point) {
    if (point) target = *point;
}
