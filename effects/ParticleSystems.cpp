// The start-up's table of particle systems. The trail systems are built black and coloured
// afterwards, so their particles stay black until their first relaunch: that is part of the look.
#include "effects/ParticleSystems.h"

ParticleSystem* trailA1 = nullptr;
ParticleSystem* trailB1 = nullptr;
ParticleSystem* trailA2 = nullptr;
ParticleSystem* trailB2 = nullptr;
ParticleSystem* trailA3 = nullptr;
ParticleSystem* trailB3 = nullptr;
ParticleSystem* rocketFlame = nullptr;
ParticleSystem* rocketCopyFlame = nullptr;

namespace {

// One trail per engine, both built black and then given the trail's colour.
void createTrailPair(ParticleSystem*& atA, ParticleSystem*& atB, int count, float speed,
                     float lifeScale, float red, float green, float blue) {
    const Point3 engineA{0.25f, -0.8f, 0.3f};
    const Point3 engineB{-0.05f, -0.8f, 0.3f};
    const Point3 velocity{0.0f, -speed, 0.0f};
    const Point3 still{0.0f, 0.0f, 0.0f};
    const ParticleColour black{0.0f, 0.0f, 0.0f, {0, 0}};

    atA = new ParticleSystem(count, engineA, velocity, still, 0.035f, lifeScale, black);
    atA->colour.red = red;
    atA->colour.green = green;
    atA->colour.blue = blue;
    atB = new ParticleSystem(count, engineB, velocity, still, 0.035f, lifeScale, black);
    atB->colour = atA->colour;
}

}  // namespace

void createParticleSystems() {
    createTrailPair(trailA1, trailB1, 500, 0.08f, 0.1f, 1.0f, 0.0f, 0.0f);
    createTrailPair(trailA2, trailB2, 250, 0.05f, 0.3f, 1.0f, 1.0f, 0.0f);
    createTrailPair(trailA3, trailB3, 250, 0.05f, 0.75f, 0.3f, 0.3f, 0.3f);

    rocketFlame = new ParticleSystem(5000, Point3{0.0f, 0.0f, -0.5f}, Point3{0.0f, 0.0f, -0.2f},
                                     Point3{0.0f, 0.0f, 0.0f}, 0.08f, 0.5f,
                                     ParticleColour{0.9f, 0.2f, 0.1f, {0, 0}});
    rocketFlame->setGrowth(100, 50);
    rocketCopyFlame = new ParticleSystem(*rocketFlame);
}

void stepTrails(int pairs) {
    ParticleSystem* const trails[][2] = {
        {trailA1, trailB1}, {trailA2, trailB2}, {trailA3, trailB3}};
    for (int pair = 0; pair < pairs && pair < 3; ++pair) {
        trails[pair][0]->step();
        trails[pair][1]->step();
    }
}
