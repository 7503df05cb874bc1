// seq1.dat: the aeroplane's attitude for each frame of its departure through the tube, as
// headerless little-endian records of three floats (degrees about X, Y, Z). The attitude follows
// the tube: nose along the centre line, banking into its turns, level on the straight parts.
#pragma once

#include <cstdint>
#include <vector>

struct Attitude {
    float x = 0, y = 0, z = 0;
};

constexpr int attitudeRecordCount = 1200;

// One attitude per departure frame, the first (0, 180, 0), then held at the last one up to
// attitudeRecordCount records.
std::vector<Attitude> makeAttitudes();
std::vector<std::uint8_t> encodeAttitudes(const std::vector<Attitude>& attitudes);
