// The arrangement. Tempo is about 120 beats a minute; each section fits a whole number of bars
// into its scene, so every change of section falls on a downbeat:
//   countdown and departure: pads and plucks, the beat drops as the aeroplane leaves (bar 5);
//   orbit and rockets: the full groove with the lead;
//   the gaze swings to the earth: a short breakdown without drums, rising into
//   the approach: half-time drums and long lead notes;
//   the final launch: everything, the lead an octave up, ending on a held A minor chord.
#include "assets/Soundtrack.h"

#include <algorithm>
#include <cmath>

const SoundtrackSection soundtrackSections[soundtrackSectionCount] = {
    {0.0, 53.0, 26},     // countdown and departure
    {53.0, 103.0, 25},   // orbit and rockets
    {103.0, 110.2, 4},   // gaze to the earth
    {110.2, 134.2, 12},  // approach
    {134.2, 172.3, 19},  // launch
};

namespace {

struct Chord {
    int bassRoot;  // midi, low octave
    int tones[3];  // pad voicing
};

const Chord Am{33, {57, 60, 64}}, F{29, {57, 60, 65}}, C{36, {55, 60, 64}}, G{31, {55, 59, 62}},
    Dm{38, {57, 62, 65}}, E{28, {56, 59, 64}}, Em{28, {55, 59, 64}};
const Chord mainLoop[4] = {Am, F, C, G};

struct Note {
    double beat, length;
    int pitch;
};

// Two four-bar phrases over A minor, F, C, G.
const Note phraseA[] = {{0, 1.5, 76},   {1.5, 0.5, 74}, {2, 1, 72},     {3, 1, 69},
                        {4, 0.5, 72},   {4.5, 0.5, 74}, {5, 1, 76},     {6, 1.5, 77},
                        {7.5, 0.5, 76}, {8, 1.5, 79},   {9.5, 0.5, 76}, {10, 1, 72},
                        {11, 1, 76},    {12, 2, 74},    {14, 1, 71},    {15, 1, 74}};
const Note phraseB[] = {{0, 1, 81},      {1, 0.5, 79},   {1.5, 1.5, 76}, {3, 1, 72},
                        {4, 0.5, 74},    {4.5, 0.5, 76}, {5, 0.5, 77},   {5.5, 1.5, 81},
                        {7, 1, 79},      {8, 1, 76},     {9, 1, 79},     {10, 1.5, 84},
                        {11.5, 0.5, 83}, {12, 1, 83},    {13, 1, 79},    {14, 2, 76}};
// The approach's slow line: one long note and its answer per bar over F, G, A minor, A minor.
const Note slowLine[] = {{0, 3, 72}, {3, 1, 69},  {4, 3, 74}, {7, 1, 71},
                         {8, 4, 76}, {12, 2, 72}, {14, 2, 76}};

class Arranger {
public:
    Arranger()
        : mix(soundtrackLength), leadBus(soundtrackLength), send(soundtrackLength), noise(1977) {}

    // Time of a beat (four to a bar) in a section.
    double at(int section, double beat) const {
        const SoundtrackSection& s = soundtrackSections[section];
        return s.start + beat * (s.end - s.start) / (s.bars * 4.0);
    }
    double beatLength(int section) const {
        const SoundtrackSection& s = soundtrackSections[section];
        return (s.end - s.start) / (s.bars * 4.0);
    }

    void padChord(int section, int bar, const Chord& chord, double gain, double brightness,
                  double bars = 1.0) {
        const double start = at(section, bar * 4.0), length = beatLength(section) * 4.0 * bars;
        for (int tone : chord.tones)
            instruments::pad(mix, &send, 0.5, start, length, tone, gain, brightness);
    }

    void bassBar(int section, int bar, const Chord& chord, double gain, bool busy) {
        const double b = beatLength(section);
        if (!busy) {
            instruments::bass(mix, at(section, bar * 4.0), b * 3.8, chord.bassRoot + 12, gain);
            return;
        }
        const int pattern[8] = {0, 0, 12, 0, 7, 0, 12, 10};
        for (int i = 0; i < 8; ++i) {
            const int offset = pattern[i] == 10 ? 12 : pattern[i];
            instruments::bass(mix, at(section, bar * 4.0 + i * 0.5), b * 0.42,
                              chord.bassRoot + 12 + offset, gain);
        }
    }

    void arpBar(int section, int bar, const Chord& chord, double gain, int perBeat) {
        const int order[8] = {0, 1, 2, 1, 0, 2, 1, 2};
        const int steps = 4 * perBeat;
        for (int i = 0; i < steps; ++i) {
            const int tone = chord.tones[order[i % 8]] + ((i / 8) % 2 == 1 ? 12 : 0);
            const double pan = (i % 2 == 0) ? -0.5 : 0.5;
            instruments::pluck(leadBus, at(section, bar * 4.0 + static_cast<double>(i) / perBeat),
                               tone, gain, pan);
        }
    }

    void drumsBar(int section, int bar, double gain, bool fourOnFloor, bool snares, int hatsPerBeat,
                  bool openHats) {
        for (int beat = 0; beat < 4; ++beat) {
            const double t = at(section, bar * 4.0 + beat);
            if (fourOnFloor || beat == 0 || beat == 2) instruments::kick(mix, t, gain);
            if (snares && (beat == 1 || beat == 3)) instruments::snare(mix, t, gain * 0.55, noise);
            for (int h = 0; h < hatsPerBeat; ++h) {
                const double ht =
                    at(section, bar * 4.0 + beat + static_cast<double>(h) / hatsPerBeat);
                const bool offbeat = hatsPerBeat >= 2 && h == hatsPerBeat / 2;
                instruments::hat(mix, ht, gain * (offbeat ? 0.32 : 0.2), openHats && offbeat, 0.3,
                                 noise);
            }
        }
    }

    void halfTimeBar(int section, int bar, double gain) {
        instruments::kick(mix, at(section, bar * 4.0), gain);
        instruments::kick(mix, at(section, bar * 4.0 + 2.5), gain * 0.8);
        instruments::snare(mix, at(section, bar * 4.0 + 2.0), gain * 0.6, noise);
        instruments::snare(send, at(section, bar * 4.0 + 2.0), gain * 0.3, noise);
        for (int h = 0; h < 8; ++h)
            instruments::hat(mix, at(section, bar * 4.0 + h * 0.5), gain * 0.18, false, -0.3,
                             noise);
    }

    void snareRoll(int section, int bar, double gain) {
        for (int i = 0; i < 16; ++i)
            instruments::snare(mix, at(section, bar * 4.0 + i * 0.25),
                               gain * (0.25 + 0.5 * i / 15.0), noise);
    }

    void phrase(int section, double startBeat, const Note* notes, std::size_t count, int transpose,
                double gain, double pan, double stretch = 1.0) {
        const double b = beatLength(section);
        for (std::size_t i = 0; i < count; ++i) {
            const double t = at(section, startBeat + notes[i].beat * stretch);
            instruments::lead(leadBus, t, notes[i].length * stretch * b * 0.92,
                              notes[i].pitch + transpose, gain, pan);
        }
    }

    void crash(int section, double gain) { instruments::crash(mix, at(section, 0.0), gain, noise); }

    // One last hit with a chord held for ring seconds.
    void finalChord(double time, const Chord& chord, double ring) {
        instruments::kick(mix, time, 0.9);
        instruments::crash(mix, time, 0.5, noise);
        instruments::bass(mix, time, ring, chord.bassRoot + 12, 0.4);
        for (int tone : chord.tones) {
            instruments::pad(mix, &send, 0.6, time, ring, tone, 0.26, 0.8);
            instruments::lead(leadBus, time, ring * 0.6, tone + 12, 0.08, 0.0);
        }
    }

    void riser(double start, double end, double gain) {
        instruments::riser(mix, start, end - start, gain, noise);
    }

    StereoMix finish() {
        // The lead and plucks echo a dotted eighth later, then everything sends to the room.
        instruments::pingPongDelay(leadBus, 0.375, 0.35);
        send.mixIn(leadBus, 0.35);
        mix.mixIn(leadBus, 1.0);
        mix.mixIn(instruments::reverb(send), 0.5);

        // Normalise, then round the loudest peaks off gently.
        float peak = 0.0f;
        for (std::size_t i = 0; i < mix.frames(); ++i)
            peak = std::max({peak, std::abs(mix.left[i]), std::abs(mix.right[i])});
        const double scale = peak > 0.0f ? 1.0 / peak : 1.0;
        const double knee = std::tanh(1.4);
        const std::size_t fadeFrames = static_cast<std::size_t>(1.0 * mix.sampleRate);
        for (std::size_t i = 0; i < mix.frames(); ++i) {
            double fade = 1.0;
            if (i + fadeFrames > mix.frames())
                fade = static_cast<double>(mix.frames() - i) / fadeFrames;
            mix.left[i] =
                static_cast<float>(std::tanh(1.4 * mix.left[i] * scale) / knee * 0.93 * fade);
            mix.right[i] =
                static_cast<float>(std::tanh(1.4 * mix.right[i] * scale) / knee * 0.93 * fade);
        }
        return std::move(mix);
    }

private:
    StereoMix mix, leadBus, send;
    AssetRandom noise;
};

void countdownAndDeparture(Arranger& a) {
    const int s = 0, bars = soundtrackSections[s].bars;
    for (int bar = 0; bar < bars; ++bar) {
        const Chord& chord = mainLoop[bar % 4];
        a.padChord(s, bar, chord, 0.22, 0.1 + 0.6 * bar / bars);
        if (bar >= 2) a.arpBar(s, bar, chord, bar < 5 ? 0.08 : 0.1, bar < 5 ? 2 : 4);
        if (bar >= 5 && bar < bars - 1) {
            a.drumsBar(s, bar, 0.8, bar >= 5, bar >= 9, 2, false);
            a.bassBar(s, bar, chord, 0.38, bar >= 9);
        } else if (bar >= 3 && bar < 5) {
            a.drumsBar(s, bar, 0.5, false, false, 2, false);
        }
    }
    a.phrase(s, 13 * 4, phraseA, std::size(phraseA), 0, 0.2, -0.2);
    a.phrase(s, 17 * 4, phraseB, std::size(phraseB), 0, 0.2, -0.2);
    a.phrase(s, 21 * 4, phraseA, std::size(phraseA), 0, 0.2, -0.2);
    a.snareRoll(s, bars - 1, 0.7);
    a.bassBar(s, bars - 1, E, 0.38, false);
    a.riser(a.at(s, (bars - 2) * 4.0), soundtrackSections[s].end, 0.35);
}

void orbitAndRockets(Arranger& a) {
    const int s = 1, bars = soundtrackSections[s].bars;
    a.crash(s, 0.45);
    const Chord breather[4] = {Dm, Am, E, Am};
    for (int bar = 0; bar < bars; ++bar) {
        const bool calm = bar >= 16 && bar < 20;
        const Chord& chord = calm ? breather[bar % 4] : mainLoop[bar % 4];
        a.padChord(s, bar, chord, 0.2, calm ? 0.5 : 0.75);
        a.arpBar(s, bar, chord, 0.09, 4);
        if (bar < bars - 1) {
            a.drumsBar(s, bar, 0.85, true, true, 4, !calm);
            a.bassBar(s, bar, chord, 0.4, true);
        }
    }
    a.phrase(s, 0, phraseA, std::size(phraseA), 0, 0.24, 0.1);
    a.phrase(s, 16, phraseB, std::size(phraseB), 0, 0.24, 0.1);
    a.phrase(s, 32, phraseA, std::size(phraseA), 12, 0.2, 0.1);
    a.phrase(s, 48, phraseB, std::size(phraseB), 12, 0.2, 0.1);
    a.phrase(s, 80, phraseA, std::size(phraseA), 0, 0.24, 0.1);
    a.snareRoll(s, bars - 1, 0.6);
    a.riser(a.at(s, (bars - 1) * 4.0), soundtrackSections[s].end, 0.3);
}

void gazeToTheEarth(Arranger& a) {
    const int s = 2, bars = soundtrackSections[s].bars;
    a.crash(s, 0.3);
    const Chord chords[4] = {F, G, Em, E};
    for (int bar = 0; bar < bars; ++bar) {
        a.padChord(s, bar, chords[bar], 0.24, 0.35 + 0.1 * bar);
        a.arpBar(s, bar, chords[bar], 0.07, 4);
        a.bassBar(s, bar, chords[bar], 0.3, false);
    }
    a.riser(a.at(s, 8.0), soundtrackSections[s].end, 0.35);
}

void approach(Arranger& a) {
    const int s = 3, bars = soundtrackSections[s].bars;
    a.crash(s, 0.4);
    const Chord chords[4] = {F, G, Am, Am};
    for (int bar = 0; bar < bars; ++bar) {
        const Chord& chord = chords[bar % 4];
        a.padChord(s, bar, chord, 0.22, 0.6);
        a.bassBar(s, bar, chord, 0.38, false);
        if (bar < bars - 2) a.halfTimeBar(s, bar, 0.8);
        if (bar >= 4) a.arpBar(s, bar, chord, 0.07, 2);
    }
    for (int cycle = 0; cycle < 3; ++cycle)
        a.phrase(s, cycle * 16.0, slowLine, std::size(slowLine), cycle == 2 ? 12 : 0, 0.22, -0.1);
    a.snareRoll(s, bars - 2, 0.4);
    a.snareRoll(s, bars - 1, 0.75);
    a.riser(a.at(s, (bars - 2) * 4.0), soundtrackSections[s].end, 0.4);
}

void launch(Arranger& a) {
    const int s = 4, bars = soundtrackSections[s].bars;
    a.crash(s, 0.5);
    for (int bar = 0; bar < bars; ++bar) {
        const Chord& chord = mainLoop[bar % 4];
        a.padChord(s, bar, chord, 0.22, 0.9);
        a.arpBar(s, bar, chord, 0.1, 4);
        a.drumsBar(s, bar, 0.95, true, true, 4, true);
        a.bassBar(s, bar, chord, 0.42, true);
    }
    for (int i = 0; i < 4; ++i) {
        const Note* p = i % 2 == 0 ? phraseA : phraseB;
        const std::size_t n = i % 2 == 0 ? std::size(phraseA) : std::size(phraseB);
        a.phrase(s, i * 16.0, p, n, 12, 0.22, 0.15);
        a.phrase(s, i * 16.0, p, n, 0, 0.12, -0.3);
    }
    // The last chord lands on the scene's end and rings out.
    a.finalChord(soundtrackSections[s].end, Am, soundtrackLength - soundtrackSections[s].end - 1.2);
}

}  // namespace

StereoMix composeSoundtrack() {
    Arranger a;
    countdownAndDeparture(a);
    orbitAndRockets(a);
    gazeToTheEarth(a);
    approach(a);
    launch(a);
    return a.finish();
}
