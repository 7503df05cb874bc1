// Value noise: hashed lattice values blended with a quintic fade.
#include "assets/ValueNoise.h"

#include <cmath>

namespace {

double fade(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

}  // namespace

double ValueNoise::lattice(int x, int y, int z) const {
    std::uint32_t h = seed;
    h ^= static_cast<std::uint32_t>(x) * 0x8DA6B343u;
    h ^= static_cast<std::uint32_t>(y) * 0xD8163841u;
    h ^= static_cast<std::uint32_t>(z) * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<double>(h) / 2147483647.5 - 1.0;
}

double ValueNoise::at(double x, double y, double z) const {
    const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
    const double tx = fade(x - fx), ty = fade(y - fy), tz = fade(z - fz);
    double plane[2];
    for (int dz = 0; dz < 2; ++dz) {
        const double a = lerp(lattice(ix, iy, iz + dz), lattice(ix + 1, iy, iz + dz), tx);
        const double b = lerp(lattice(ix, iy + 1, iz + dz), lattice(ix + 1, iy + 1, iz + dz), tx);
        plane[dz] = lerp(a, b, ty);
    }
    return lerp(plane[0], plane[1], tz);
}

double ValueNoise::fractal(double x, double y, double z, int octaves) const {
    double sum = 0.0, weight = 1.0, total = 0.0, scale = 1.0;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * at(x * scale + i * 17.31, y * scale - i * 9.73, z * scale + i * 5.19);
        total += weight;
        weight *= 0.5;
        scale *= 2.0;
    }
    return sum / total;
}
