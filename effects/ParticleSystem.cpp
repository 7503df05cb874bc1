// Launch, growth and relaunch of a particle cloud. Launch points are scattered around the origin by
// random offsets of at most (S - 1) / 10 per axis, S being the spread times 100; a spread too small
// to give S = 1 launches at the origin itself rather than dividing by zero.
#include "effects/ParticleSystem.h"

#include <climits>
#include <cstdlib>
#include <ctime>

ParticleSystem::ParticleSystem(int count_, Point3 origin_, Point3 velocity_, Point3 acceleration_,
                               float spread_, float lifeScale_, ParticleColour colour_)
    : colour(colour_),
      lifeScale(lifeScale_),
      origin(origin_),
      particles(nullptr),
      count(count_ > 0 ? count_ : 0),
      activeCount(count),
      growthPerStep(0),
      spread(spread_),
      acceleration(acceleration_),
      velocity(velocity_) {
    // Every system reseeds: systems built within the same second draw the same numbers.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    particles = new Particle[count];
    int range = scatter();
    for (int i = 0; i < count; ++i) relaunch(particles[i], range);
}

ParticleSystem::ParticleSystem(const ParticleSystem& other)
    : colour(other.colour),
      lifeScale(other.lifeScale),
      origin(other.origin),
      particles(nullptr),
      count(other.count),
      activeCount(other.activeCount),
      growthPerStep(other.growthPerStep),
      spread(other.spread),
      acceleration(other.acceleration),
      velocity(other.velocity) {
    particles = new Particle[count];
    for (int i = 0; i < count; ++i) particles[i] = other.particles[i];
}

ParticleSystem::~ParticleSystem() {
    delete[] particles;
}

void ParticleSystem::setGrowth(int newActiveCount, int newGrowthPerStep) {
    // The active particles are always a prefix of the array.
    activeCount = newActiveCount < 0 ? 0 : (newActiveCount > count ? count : newActiveCount);
    growthPerStep = newGrowthPerStep;
}

void ParticleSystem::step() {
    int range = scatter();
    if (activeCount < count) activeCount += growthPerStep;
    if (activeCount > count) activeCount = count;
    for (int i = 0; i < activeCount; ++i) {
        if (!particles[i].advance()) relaunch(particles[i], range);
        particles[i].drawPoint();
    }
}

// S: the single-precision spread times 100, truncated; never below 1. The product is formed in
// double precision so the float just under 0.08 gives 7, not a rounded-up 8.
int ParticleSystem::scatter() const {
    double scaled = static_cast<double>(spread) * 100.0;
    if (!(scaled >= 1.0)) return 1;
    if (scaled >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(scaled);
}

void ParticleSystem::relaunch(Particle& particle, int range) {
    float offset[3];
    for (float& d : offset) {
        int a = std::rand() % range;
        int b = std::rand() % 20 + 10;
        float sign = (std::rand() % 2 == 0) ? 1.0f : -1.0f;
        d = sign * (static_cast<float>(a) / static_cast<float>(b));
    }
    Point3 point{origin.x + offset[0], origin.y - offset[1], origin.z - offset[2]};
    particle.launch(point, velocity, acceleration);
    particle.lifeScale = lifeScale;
    particle.colour = colour;
}
