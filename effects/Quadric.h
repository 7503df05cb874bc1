// One GLU quadric object, set up for smooth normals and generated texture coordinates, drawing
// cylinders along +Z and disks in the z = 0 plane at the current transform. It changes no other GL
// state; its owner holds it by value, so the GLU object lives exactly as long as the owner.
#pragma once

#include "platform/GL.h"

class Quadric {
public:
    Quadric();
    Quadric(const Quadric&) = delete;
    Quadric& operator=(const Quadric&) = delete;
    virtual ~Quadric();

    // From z = 0 to z = height, the same radius at both ends.
    void cylinder(double radius, double height, int slices, int stacks);
    void disk(double inner, double outer, int slices, int loops);

    GLUquadric* quadric;
};
