// The one camera of the show: an eye, a point looked at and an up direction, written directly by
// the start-up and the scenes. look() replaces the modelview matrix with the view alone; it is
// called again before every object that must stand in world space, since nothing is pushed.
#pragma once

#include "scene/Point3.h"

class Camera {
public:
    Camera();
    virtual ~Camera();

    // Identity, then the look-at view from eye towards center.
    void look();

    Point3 eye;
    Point3 center;
    Point3 up;
};

extern Camera camera;
