// The soundtrack's instruments, each rendering one note or hit straight into a stereo buffer:
// drums from shaped sines and noise, a filtered saw bass, detuned saw pads, a pulse lead and a
// plucked arpeggio, plus the delay and reverb buses. Only arithmetic on a fixed seed, so the same
// song comes out of every run.
#pragma once

#include <cstddef>
#include <vector>

#include "assets/AssetRandom.h"

struct StereoMix {
    int sampleRate = 44100;
    std::vector<float> left, right;

    explicit StereoMix(double seconds);
    std::size_t frames() const { return left.size(); }
    std::size_t frameAt(double seconds) const;
    void add(std::size_t frame, double l, double r) {
        if (frame < left.size()) {
            left[frame] += static_cast<float>(l);
            right[frame] += static_cast<float>(r);
        }
    }
    void mixIn(const StereoMix& other, double gain);
};

namespace instruments {

double midiHz(int note);

// pan: -1 left, 0 centre, 1 right.
void kick(StereoMix& out, double time, double gain);
void snare(StereoMix& out, double time, double gain, AssetRandom& noise);
void hat(StereoMix& out, double time, double gain, bool open, double pan, AssetRandom& noise);
void crash(StereoMix& out, double time, double gain, AssetRandom& noise);
void bass(StereoMix& out, double time, double length, int note, double gain);
// send, when given, receives the same voice at sendGain (the reverb bus).
void pad(StereoMix& out, StereoMix* send, double sendGain, double time, double length, int note,
         double gain, double brightness);
void lead(StereoMix& out, double time, double length, int note, double gain, double pan);
void pluck(StereoMix& out, double time, int note, double gain, double pan);
// A noise sweep rising in pitch and level over length, leading into a section change.
void riser(StereoMix& out, double time, double length, double gain, AssetRandom& noise);

// Ping-pong echo in place: the left repeats on the right and back.
void pingPongDelay(StereoMix& bus, double delaySeconds, double feedback);
// A small room: parallel combs and series all-passes per channel; returns the wet signal only.
StereoMix reverb(const StereoMix& send);

}  // namespace instruments
