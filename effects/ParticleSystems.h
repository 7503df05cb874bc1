// The demo's eight particle systems: exhaust trails of the aeroplane (pairs A and B, one per
// engine) and the rocket flame with its copy. Created once by createParticleSystems at start-up.
#pragma once

#include "effects/ParticleSystem.h"

extern ParticleSystem* trailA1;
extern ParticleSystem* trailB1;
extern ParticleSystem* trailA2;
extern ParticleSystem* trailB2;
extern ParticleSystem* trailA3;
extern ParticleSystem* trailB3;
extern ParticleSystem* rocketFlame;
extern ParticleSystem* rocketCopyFlame;

// Builds all eight, in table order. Needs no GL context: nothing is drawn until a step.
void createParticleSystems();

// Steps the first `pairs` trail pairs (1 to 3), engine A before B, pair 1 first: the order in
// which they draw their random numbers. They stand in the frame of whatever was drawn just before.
void stepTrails(int pairs);
