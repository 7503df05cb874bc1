// Smooth 3D value noise and its fractal sum, for the earth's continents and the texture grain.
// Lattice values come from an integer hash, so the same seed draws the same world on every run.
#pragma once

#include <cstdint>

class ValueNoise {
public:
    explicit ValueNoise(std::uint32_t seed) : seed(seed) {}

    // In [-1, 1], smooth in every direction.
    double at(double x, double y, double z) const;
    // Sum of octaves, each at twice the frequency and half the weight; roughly in [-1, 1].
    double fractal(double x, double y, double z, int octaves) const;

private:
    double lattice(int x, int y, int z) const;

    std::uint32_t seed;
};
