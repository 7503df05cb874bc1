// A small seeded random source for the asset generator (splitmix64). The same seed gives the same
// numbers on every run and every compiler, which the standard distributions do not promise; it
// must never be seeded from the clock.
#pragma once

#include <cstdint>

class AssetRandom {
public:
    explicit AssetRandom(std::uint64_t seed) : state(seed) {}

    std::uint64_t next();
    // Uniform in [0, 1).
    double uniform();
    // Uniform in [low, high).
    double range(double low, double high);

private:
    std::uint64_t state;
};
