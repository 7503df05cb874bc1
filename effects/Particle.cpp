// Particle motion, ageing and drawing, one tick per call: no time step, no allocation.
#include "effects/Particle.h"

#include <cstdlib>

#include "platform/GL.h"

Particle::Particle()
    : life(0.0),
      lifeScale(1.0),
      colour{0.0f, 0.0f, 0.0f, {0, 0}},
      velocity{0, 0, 0},
      acceleration{0, 0, 0},
      position{0, 0, 0} {}

Particle::~Particle() = default;

void Particle::launch(Point3 newPosition, Point3 newVelocity, Point3 newAcceleration) {
    position = newPosition;
    velocity = newVelocity;
    acceleration = newAcceleration;
    life = (std::rand() % 100) * lifeScale;
}

bool Particle::advance() {
    position.x += velocity.x;
    position.y += velocity.y;
    position.z += velocity.z;
    velocity.x += acceleration.x;
    velocity.y += acceleration.y;
    velocity.z += acceleration.z;
    life -= 1.0;
    return life >= 0.0;
}

void Particle::drawPoint() {
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_POINTS);
    glColor3f(colour.red, colour.green, colour.blue);
    glVertex3f(position.x, position.y, position.z);
    glEnd();
}
