// GLU quadric wrapper: smooth normals and texture coordinates, so a bound texture wraps the shape.
// Draws at the current transform and never pushes, pops or changes other state.
#include "effects/Quadric.h"

Quadric::Quadric() : quadric(gluNewQuadric()) {
    gluQuadricNormals(quadric, GLU_SMOOTH);
    gluQuadricTexture(quadric, GL_TRUE);
}

Quadric::~Quadric() {
    gluDeleteQuadric(quadric);
}

void Quadric::cylinder(double radius, double height, int slices, int stacks) {
    gluCylinder(quadric, radius, radius, height, slices, stacks);
}

void Quadric::disk(double inner, double outer, int slices, int loops) {
    gluDisk(quadric, inner, outer, slices, loops);
}
