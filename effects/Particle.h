// One point of an exhaust cloud: it moves by its velocity, its velocity by its acceleration, and
// it ages one step per advance until its owner relaunches it. It never relaunches itself.
#pragma once

#include <cstdint>

#include "scene/Point3.h"

// Red, green and blue, then two words that nothing reads; always copied as a whole.
struct ParticleColour {
    float red, green, blue;
    std::uint32_t unused[2];
};

class Particle {
public:
    Particle();
    Particle(const Particle&) = default;
    Particle& operator=(const Particle&) = default;
    virtual ~Particle();

    // Starts a new life of (rand() mod 100) x lifeScale steps at the given place.
    void launch(Point3 position, Point3 velocity, Point3 acceleration);
    // One step of motion and age; false once the life has fallen below 0.
    bool advance();
    // One untextured point in the particle's colour (texturing stays off afterwards).
    void drawPoint();

    double life;
    double lifeScale;
    ParticleColour colour;
    Point3 velocity;
    Point3 acceleration;
    Point3 position;
};
