// Numbers stored little-endian in our files (archive, 3DS, BMP, the attitude recording), read and
// written byte by byte so that the host's own byte order and alignment never matter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace platform {

inline std::uint16_t loadLE16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

inline std::uint32_t loadLE32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline float loadLEFloat(const unsigned char* p) {
    const std::uint32_t bits = loadLE32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// count floats in a row; one copy on a little-endian host.
inline void loadLEFloats(const unsigned char* p, float* out, std::size_t count) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ || defined(_MSC_VER)
    std::memcpy(out, p, count * sizeof(float));
#else
    for (std::size_t i = 0; i < count; ++i) out[i] = loadLEFloat(p + 4 * i);
#endif
}

inline void storeLE32(std::uint32_t value, unsigned char* p) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace platform
