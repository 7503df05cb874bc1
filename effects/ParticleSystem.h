// A cloud of coloured points around an emitter, moved, aged, relaunched and drawn in one call per
// frame, in whatever modelview frame the caller has set. It owns its particles; it never allocates
// after construction.
#pragma once

#include "effects/Particle.h"
#include "scene/Point3.h"

class ParticleSystem {
public:
    ParticleSystem(int count, Point3 origin, Point3 velocity, Point3 acceleration, float spread,
                   float lifeScale, ParticleColour colour);
    // A new system in the same state, particles included, that then runs on its own.
    ParticleSystem(const ParticleSystem& other);
    ParticleSystem& operator=(const ParticleSystem&) = delete;
    ~ParticleSystem();

    // Starts with activeCount particles and adds growthPerStep more at each step, up to count.
    void setGrowth(int activeCount, int growthPerStep);
    // One tick: grow, then advance, relaunch the expired and draw the active particles.
    void step();

    ParticleColour colour;
    float lifeScale;
    Point3 origin;
    Particle* particles;
    int count;
    int activeCount;
    int growthPerStep;
    float spread;
    Point3 acceleration;
    Point3 velocity;

private:
    int scatter() const;
    void relaunch(Particle& particle, int scatterRange);
};
