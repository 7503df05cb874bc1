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

void createParticleSystems()
{
    const Point3 engineA{0.25f, -0.8f, 0.3f};
    const Point3 engineB{-0.05f, -0.8f, 0.3f};
    const Point3 still{0.0f, 0.0f, 0.0f};
    const ParticleColour black{0.0f, 0.0f, 0.0f, {0, 0}};

    trailA1 = new ParticleSystem(500, engineA, Point3{0.0f, -0.08f, 0.0f}, still, 0.035f, 0.1f, black);
    trailA1->colour.red = 1.0f;
    trailA1->colour.green = 0.0f;
    trailA1->colour.blue = 0.0f;
    trailB1 = new ParticleSystem(500, engineB, Point3{0.0f, -0.08f, 0.0f}, still, 0.035f, 0.1f, black);
    trailB1->colour = trailA1->colour;

    trailA2 = new ParticleSystem(250, engineA, Point3{0.0f, -0.05f, 0.0f}, still, 0.035f, 0.3f, black);
    trailA2->colour.red = 1.0f;
    trailA2->colour.green = 1.0f;
    trailA2->colour.blue = 0.0f;
    trailB2 = new ParticleSystem(250, engineB, Point3{0.0f, -0.05f, 0.0f}, still, 0.035f, 0.3f, black);
    trailB2->colour = trailA2->colour;

    trailA3 = new ParticleSystem(250, engineA, Point3{0.0f, -0.05f, 0.0f}, still, 0.035f, 0.75f, black);
    trailA3->colour.red = 0.3f;
    trailA3->colour.green = 0.3f;
    trailA3->colour.blue = 0.3f;
    trailB3 = new ParticleSystem(250, engineB, Point3{0.0f, -0.05f, 0.0f}, still, 0.035f, 0.75f, black);
    trailB3->colour = trailA3->colour;

    rocketFlame = new ParticleSystem(5000, Point3{0.0f, 0.0f, -0.5f}, Point3{0.0f, 0.0f, -0.2f}, still, 0.08f,
                                     0.5f, ParticleColour{0.9f, 0.2f, 0.1f, {0, 0}});
    rocketFlame->setGrowth(100, 50);
    rocketCopyFlame = new ParticleSystem(*rocketFlame);
}
