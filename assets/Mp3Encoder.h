// MP3 encoding of the soundtrack through libmp3lame: constant bit rate, joint stereo, no tags, so
// the bytes depend on the samples alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/Instruments.h"

// False with a reason in error when the encoder refuses its settings or the samples.
bool encodeMp3(const StereoMix& mix, int kilobitsPerSecond, int quality,
               std::vector<std::uint8_t>* mp3, std::string* error);
