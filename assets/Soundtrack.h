// musica.mp3's music: an original piece in A minor composed in code, whose sections change where
// the scenes change (the scenes run at 25 frames per second from the start of playback).
#pragma once

#include "assets/Instruments.h"

struct SoundtrackSection {
    double start, end;  // seconds
    int bars;           // each section's bars are fitted exactly into its time
};

constexpr int soundtrackSectionCount = 5;
extern const SoundtrackSection soundtrackSections[soundtrackSectionCount];
// The last section ends with a chord that rings out until here.
constexpr double soundtrackLength = 176.5;

StereoMix composeSoundtrack();
