// Particle systems: launch scatter, growth, relaunch, colours and copies. Stepping draws, so every
// test runs with a GL context; randomness is pinned with srand where a test compares two runs.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include "effects/ParticleSystems.h"
#include "platform/GL.h"
#include "tests/support/OffscreenGL.h"

namespace {

const Point3 origin{1.0f, 2.0f, 3.0f};
const Point3 drift{0.0f, -0.05f, 0.0f};
const Point3 still{0.0f, 0.0f, 0.0f};
const ParticleColour black{0.0f, 0.0f, 0.0f, {0, 0}};

class ParticleSystemTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(gl.ready()) << gl.error(); }
    testing_support::OffscreenGL gl;
};

// Every launch point lies within (S - 1) / 10 of the origin on each axis.
void expectNearOrigin(const Particle& p, Point3 o, float reach) {
    EXPECT_LE(std::fabs(p.position.x - o.x), reach + 1e-6f);
    EXPECT_LE(std::fabs(p.position.y - o.y), reach + 1e-6f);
    EXPECT_LE(std::fabs(p.position.z - o.z), reach + 1e-6f);
}

TEST_F(ParticleSystemTest, LaunchScattersAroundTheOriginWithUnscaledFirstLives) {
    ParticleSystem system(400, origin, drift, still, 0.08f, 0.5f,
                          ParticleColour{0.9f, 0.2f, 0.1f, {1, 2}});
    EXPECT_EQ(system.activeCount, 400);
    EXPECT_EQ(system.growthPerStep, 0);
    bool scattered = false;
    for (int i = 0; i < system.count; ++i) {
        const Particle& p = system.particles[i];
        expectNearOrigin(p, origin, 0.6f);  // 0.08 gives S = 7
        scattered = scattered || p.position.x != origin.x;
        // The first life is drawn before the system's scale is copied in: whole steps, 0 to 99.
        EXPECT_GE(p.life, 0.0);
        EXPECT_LE(p.life, 99.0);
        EXPECT_EQ(p.life, std::floor(p.life));
        EXPECT_EQ(p.lifeScale, 0.5);
        EXPECT_EQ(std::memcmp(&p.colour, &system.colour, sizeof p.colour), 0);
        EXPECT_EQ(p.velocity.y, drift.y);
    }
    EXPECT_TRUE(scattered);
}

TEST_F(ParticleSystemTest, SpreadTooSmallToScatterLaunchesAtTheOrigin) {
    for (float spread : {0.01f, 0.0f, -3.0f}) {
        ParticleSystem system(50, origin, drift, still, spread, 1.0f, black);
        for (int i = 0; i < system.count; ++i) {
            EXPECT_EQ(system.particles[i].position.x, origin.x);
            EXPECT_EQ(system.particles[i].position.y, origin.y);
            EXPECT_EQ(system.particles[i].position.z, origin.z);
        }
        system.particles[0].life = 0.0;
        system.step();
        EXPECT_EQ(system.particles[0].position.y, origin.y);
    }
}

TEST_F(ParticleSystemTest, ExpiredParticlesRelaunchInTheSameStepWithTheSystemsColour) {
    ParticleSystem system(3, origin, drift, still, 0.035f, 0.25f, black);
    system.colour.red = 1.0f;
    Particle& expired = system.particles[0];
    Particle& lastStep = system.particles[1];
    Particle& living = system.particles[2];
    expired.life = 0.0;
    expired.position = Point3{50, 50, 50};
    lastStep.life = 1.0;
    lastStep.position = Point3{9, 9, 9};
    living.life = 40.0;

    system.step();
    // Life 0 goes to -1: relaunched near the origin, red, with a life scaled by its life scale.
    expectNearOrigin(expired, origin, 0.2f);
    EXPECT_EQ(expired.colour.red, 1.0f);
    EXPECT_LE(expired.life, 99 * 0.25);
    EXPECT_EQ(expired.life / 0.25, std::floor(expired.life / 0.25));
    // Life exactly 0 after the step is still alive: it moved and kept its black.
    EXPECT_EQ(lastStep.life, 0.0);
    EXPECT_EQ(lastStep.position.y, 9.0f - 0.05f);
    EXPECT_EQ(lastStep.colour.red, 0.0f);
    EXPECT_EQ(living.life, 39.0);
    EXPECT_EQ(living.colour.red, 0.0f);
}

TEST_F(ParticleSystemTest, AccelerationChangesVelocityAfterTheMove) {
    ParticleSystem system(1, origin, Point3{1, 0, 0}, Point3{0.5f, 0, 0}, 0.035f, 1.0f, black);
    Particle& p = system.particles[0];
    p.life = 10.0;
    p.position = Point3{0, 0, 0};
    system.step();
    EXPECT_EQ(p.position.x, 1.0f);
    EXPECT_EQ(p.velocity.x, 1.5f);
    system.step();
    EXPECT_EQ(p.position.x, 2.5f);
}

TEST_F(ParticleSystemTest, GrowthAddsParticlesUpToTheCount) {
    ParticleSystem system(5000, origin, drift, still, 0.08f, 0.5f, black);
    system.setGrowth(100, 50);
    const Particle untouched = system.particles[4999];
    system.step();
    EXPECT_EQ(system.activeCount, 150);
    EXPECT_EQ(system.particles[4999].life, untouched.life);
    EXPECT_EQ(system.particles[4999].position.x, untouched.position.x);
    for (int i = 2; i <= 97; ++i) system.step();
    EXPECT_EQ(system.activeCount, 4950);
    system.step();
    EXPECT_EQ(system.activeCount, 5000);

    ParticleSystem small(120, origin, drift, still, 0.08f, 0.5f, black);
    small.setGrowth(100, 50);
    small.step();
    EXPECT_EQ(small.activeCount, 120);
}

TEST_F(ParticleSystemTest, CopyStartsFromTheSourceStateAndRunsOnItsOwn) {
    ParticleSystem source(200, origin, drift, still, 0.08f, 0.5f, black);
    source.setGrowth(100, 50);
    for (int i = 0; i < 5; ++i) source.step();
    ParticleSystem copy(source);
    EXPECT_NE(copy.particles, source.particles);
    EXPECT_EQ(copy.activeCount, source.activeCount);
    EXPECT_EQ(copy.growthPerStep, 50);
    for (int i = 0; i < source.count; ++i) {
        EXPECT_EQ(copy.particles[i].life, source.particles[i].life);
        EXPECT_EQ(copy.particles[i].position.x, source.particles[i].position.x);
        EXPECT_EQ(copy.particles[i].position.z, source.particles[i].position.z);
    }
    // With the same random numbers both evolve alike; stepping one leaves the other alone.
    std::srand(1234);
    copy.step();
    const Particle sourceFirst = source.particles[0];
    EXPECT_EQ(source.particles[0].life, sourceFirst.life);
    std::srand(1234);
    source.step();
    for (int i = 0; i < source.count; ++i) {
        EXPECT_EQ(copy.particles[i].life, source.particles[i].life);
        EXPECT_EQ(copy.particles[i].position.y, source.particles[i].position.y);
    }
}

TEST_F(ParticleSystemTest, StartUpTrailsLaunchBlackAndTheRocketCopiesShareTheirStart) {
    createParticleSystems();
    // Coloured after they were built: red, but the particles keep their black until relaunched.
    EXPECT_EQ(trailB1->colour.red, 1.0f);
    for (int i = 0; i < trailB1->count; ++i) ASSERT_EQ(trailB1->particles[i].colour.red, 0.0f);
    EXPECT_EQ(rocketCopyFlame->activeCount, rocketFlame->activeCount);
    EXPECT_EQ(rocketCopyFlame->growthPerStep, rocketFlame->growthPerStep);
    for (int i = 0; i < rocketFlame->count; ++i)
        ASSERT_EQ(rocketCopyFlame->particles[i].position.z, rocketFlame->particles[i].position.z);
    for (ParticleSystem* s :
         {trailA1, trailB1, trailA2, trailB2, trailA3, trailB3, rocketFlame, rocketCopyFlame})
        delete s;
}

}  // namespace
