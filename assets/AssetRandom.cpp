// Splitmix64 and the few conversions the generator needs; plain integer arithmetic so that every
// build gives the same sequence.
#include "assets/AssetRandom.h"

std::uint64_t AssetRandom::next() {
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double AssetRandom::uniform() {
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}

double AssetRandom::range(double low, double high) {
    return low + (high - low) * uniform();
}
