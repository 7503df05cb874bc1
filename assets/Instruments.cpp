// Note renderers. Oscillators are band-limited where aliasing would be heard (saws with a
// polyBLEP correction); filters are one-pole sections with the cutoff moved per sample.
#include "assets/Instruments.h"

#include <cmath>

namespace {

const double pi = 3.14159265358979323846;
const double twoPi = 2.0 * pi;

double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// A band-limited saw in [-1, 1] that keeps its own phase.
struct Saw {
    double phase = 0.0;
    double next(double hz, double rate) {
        const double dt = hz / rate;
        const double out = 2.0 * phase - 1.0 - polyBlep(phase, dt);
        phase += dt;
        if (phase >= 1.0) phase -= 1.0;
        return out;
    }
};

// One-pole low-pass. The coefficient costs an exponential, so moving cutoffs update it only
// every few samples (setCutoff) rather than per sample.
struct OnePole {
    double state = 0.0;
    double a = 1.0;
    void setCutoff(double hz, double rate) { a = 1.0 - std::exp(-twoPi * hz / rate); }
    double lowpass(double x) {
        state += a * (x - state);
        return state;
    }
};

const int controlInterval = 32;

double noiseSample(AssetRandom& noise) {
    return noise.uniform() * 2.0 - 1.0;
}

void panGains(double pan, double* l, double* r) {
    const double angle = (pan + 1.0) * pi / 4.0;
    *l = std::cos(angle) * 1.41421356;
    *r = std::sin(angle) * 1.41421356;
}

// Attack, hold for length, release: the amplitude shape of the sustained instruments.
double envelope(double t, double attack, double length, double release) {
    if (t < attack) return t / attack;
    if (t < length) return 1.0;
    const double r = 1.0 - (t - length) / release;
    return r > 0.0 ? r : 0.0;
}

}  // namespace

StereoMix::StereoMix(double seconds) {
    const std::size_t n = static_cast<std::size_t>(seconds * sampleRate);
    left.assign(n, 0.0f);
    right.assign(n, 0.0f);
}

std::size_t StereoMix::frameAt(double seconds) const {
    return seconds <= 0.0 ? 0 : static_cast<std::size_t>(std::lround(seconds * sampleRate));
}

void StereoMix::mixIn(const StereoMix& other, double gain) {
    for (std::size_t i = 0; i < left.size() && i < other.left.size(); ++i) {
        left[i] += static_cast<float>(other.left[i] * gain);
        right[i] += static_cast<float>(other.right[i] * gain);
    }
}

namespace instruments {

double midiHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

void kick(StereoMix& out, double time, double gain) {
    const double rate = out.sampleRate;
    const std::size_t start = out.frameAt(time);
    const int length = static_cast<int>(0.45 * rate);
    double phase = 0.0;
    for (int i = 0; i < length; ++i) {
        const double t = i / rate;
        const double hz = 46.0 + 120.0 * std::exp(-t / 0.035);
        phase += hz / rate;
        const double click = t < 0.004 ? (1.0 - t / 0.004) * 0.6 : 0.0;
        const double s = (std::sin(twoPi * phase) * std::exp(-t / 0.26) + click) * gain;
        out.add(start + i, s, s);
    }
}

void snare(StereoMix& out, double time, double gain, AssetRandom& noise) {
    const double rate = out.sampleRate;
    const std::size_t start = out.frameAt(time);
    const int length = static_cast<int>(0.3 * rate);
    OnePole low;
    low.setCutoff(1500.0, rate);
    for (int i = 0; i < length; ++i) {
        const double t = i / rate;
        const double n = noiseSample(noise);
        const double bright = n - low.lowpass(n);
        const double body = std::sin(twoPi * 185.0 * t) * std::exp(-t / 0.05);
        const double s = (0.55 * body + 0.8 * bright * std::exp(-t / 0.09)) * gain;
        out.add(start + i, s * 0.95, s);
    }
}

void hat(StereoMix& out, double time, double gain, bool open, double pan, AssetRandom& noise) {
    const double rate = out.sampleRate;
    const std::size_t start = out.frameAt(time);
    const double decay = open ? 0.18 : 0.03;
    const int length = static_cast<int>(decay * 6.0 * rate);
    OnePole low;
    low.setCutoff(7000.0, rate);
    double l, r;
    panGains(pan, &l, &r);
    const double fall = std::exp(-1.0 / (decay * rate));
    double env = gain;
    for (int i = 0; i < length; ++i) {
        const double n = noiseSample(noise);
        const double s = (n - low.lowpass(n)) * env;
        env *= fall;
        out.add(start + i, s * l, s * r);
    }
}

void crash(StereoMix& out, double time, double gain, AssetRandom& noise) {
    const double rate = out.sampleRate;
    const std::size_t start = out.frameAt(time);
    const int length = static_cast<int>(2.6 * rate);
    OnePole lowL, lowR;
    lowL.setCutoff(4000.0, rate);
    lowR.setCutoff(4000.0, rate);
    const double fall = std::exp(-1.0 / (0.8 * rate));
    double env = gain;
    for (int i = 0; i < length; ++i) {
        const double nl = noiseSample(noise), nr = noiseSample(noise);
        out.add(start + i, (nl - lowL.lowpass(nl)) * env, (nr - lowR.lowpass(nr)) * env);
        env *= fall;
    }
}

void bass(StereoMix& out, double time, double length, int note, double gain) {
    const double rate = out.sampleRate;
    const std::size_t start = out.frameAt(time);
    const double release = 0.03;
    const int frames = static_cast<int>((length + release) * rate);
    const double hz = midiHz(note);
    Saw saw;
    OnePole f1, f2;
    double subPhase = 0.0;
    for (int i = 0; i < frames; ++i) {
        const double t = i / rate;
        if (i % controlInterval == 0) {
            const double cutoff = 160.0 + 1100.0 * std::exp(-t / 0.1);
            f1.setCutoff(cutoff, rate);
            f2.a = f1.a;
        }
        double s = saw.next(hz, rate);
        s = f2.lowpass(f1.lowpass(s));
        subPhase += hz * 0.5 / rate;
        s = 0.8 * s + 0.55 * std::sin(twoPi * subPhase);
        s *= envelope(t, 0.004, length, release) * gain;
        out.add(start + i, s, s);
    }
}

void pad(StereoMix& out, StereoMix* send, double sendGain, double time, double length, int note,
         double gain, double brightness) {
    const double rate = out.sampleRate;
    const std::size_t start = out.frameAt(time);
    const double attack = 0.35, release = 0.7;
    const int frames = static_cast<int>((length + release) * rate);
    const double hz = midiHz(note);
    const double detune[3] = {0.9954, 1.0, 1.0046};  // about eight cents either side
    const double pans[3] = {-0.8, 0.0, 0.8};
    Saw saws[3];
    // Start the voices at different phases so the chord does not open with a click.
    saws[0].phase = 0.13;
    saws[1].phase = 0.57;
    saws[2].phase = 0.81;
    OnePole filters[3][2];
    double gl[3], gr[3];
    for (int v = 0; v < 3; ++v) panGains(pans[v], &gl[v], &gr[v]);
    const double cutoff = 500.0 + 2600.0 * brightness;
    for (auto& pair : filters)
        for (OnePole& f : pair) f.setCutoff(cutoff, rate);
    for (int i = 0; i < frames; ++i) {
        const double t = i / rate;
        const double env = envelope(t, attack, length, release) * gain / 3.0;
        double l = 0.0, r = 0.0;
        for (int v = 0; v < 3; ++v) {
            double s = saws[v].next(hz * detune[v], rate);
            s = filters[v][1].lowpass(filters[v][0].lowpass(s));
            l += s * gl[v];
            r += s * gr[v];
        }
        out.add(start + i, l * env, r * env);
        if (send) send->add(start + i, l * env * sendGain, r * env * sendGain);
    }
}

void lead(StereoMix& out, double time, double length, int note, double gain, double pan) {
    const double rate = out.sampleRate;
    const std::size_t start = out.frameAt(time);
    const double release = 0.09;
    const int frames = static_cast<int>((length + release) * rate);
    const double hz = midiHz(note);
    Saw a, b;
    b.phase = 0.35;  // two saws a fraction apart make a pulse of that width
    OnePole filter;
    double l, r;
    panGains(pan, &l, &r);
    for (int i = 0; i < frames; ++i) {
        const double t = i / rate;
        const double depth = t > 0.18 ? 0.004 * std::min(1.0, (t - 0.18) / 0.3) : 0.0;
        const double f = hz * (1.0 + depth * std::sin(twoPi * 5.5 * t));
        if (i % controlInterval == 0) filter.setCutoff(2800.0 + 1500.0 * std::exp(-t / 0.15), rate);
        double s = a.next(f, rate) - b.next(f, rate);
        s = filter.lowpass(s);
        s *= envelope(t, 0.008, length, release) * gain * 0.5;
        out.add(start + i, s * l, s * r);
    }
}

void pluck(StereoMix& out, double time, int note, double gain, double pan) {
    const double rate = out.sampleRate;
    const std::size_t start = out.frameAt(time);
    const int frames = static_cast<int>(0.5 * rate);
    const double hz = midiHz(note);
    Saw saw;
    OnePole f1, f2;
    double l, r;
    panGains(pan, &l, &r);
    for (int i = 0; i < frames; ++i) {
        const double t = i / rate;
        if (i % controlInterval == 0) {
            f1.setCutoff(250.0 + 4500.0 * std::exp(-t / 0.06), rate);
            f2.a = f1.a;
        }
        double s = f2.lowpass(f1.lowpass(saw.next(hz, rate)));
        s *= std::exp(-t / 0.16) * std::min(1.0, t / 0.002) * gain;
        out.add(start + i, s * l, s * r);
    }
}

void riser(StereoMix& out, double time, double length, double gain, AssetRandom& noise) {
    const double rate = out.sampleRate;
    const std::size_t start = out.frameAt(time);
    const int frames = static_cast<int>(length * rate);
    OnePole l1, l2, r1, r2;
    for (int i = 0; i < frames; ++i) {
        const double x = static_cast<double>(i) / frames;
        if (i % controlInterval == 0) {
            l1.setCutoff(300.0 * std::pow(30.0, x), rate);
            l2.a = r1.a = r2.a = l1.a;
        }
        const double env = x * x * gain;
        const double nl = noiseSample(noise), nr = noiseSample(noise);
        out.add(start + i, l2.lowpass(l1.lowpass(nl)) * env, r2.lowpass(r1.lowpass(nr)) * env);
    }
}

void pingPongDelay(StereoMix& bus, double delaySeconds, double feedback) {
    const std::size_t d = bus.frameAt(delaySeconds);
    if (d == 0) return;
    for (std::size_t i = d; i < bus.frames(); ++i) {
        // The echo of the left lands on the right and the other way round.
        const float l = bus.left[i - d], r = bus.right[i - d];
        bus.left[i] += static_cast<float>(r * feedback);
        bus.right[i] += static_cast<float>(l * feedback);
    }
}

StereoMix reverb(const StereoMix& send) {
    StereoMix wet(0.0);
    wet.left.assign(send.frames(), 0.0f);
    wet.right.assign(send.frames(), 0.0f);
    const int combLengths[4] = {1557, 1617, 1491, 1422};
    const int allpassLengths[2] = {556, 441};
    const int spread = 23;  // the right channel's delays are a little longer: a wider room
    for (int channel = 0; channel < 2; ++channel) {
        const std::vector<float>& in = channel == 0 ? send.left : send.right;
        std::vector<float>& outChannel = channel == 0 ? wet.left : wet.right;
        const int extra = channel == 0 ? 0 : spread;
        for (int c = 0; c < 4; ++c) {
            std::vector<float> line(static_cast<std::size_t>(combLengths[c] + extra), 0.0f);
            std::size_t at = 0;
            float damp = 0.0f;
            for (std::size_t i = 0; i < in.size(); ++i) {
                const float y = line[at];
                damp = y * 0.6f + damp * 0.4f;
                line[at] = in[i] + damp * 0.84f;
                outChannel[i] += y * 0.25f;
                if (++at == line.size()) at = 0;
            }
        }
        for (int a = 0; a < 2; ++a) {
            std::vector<float> line(static_cast<std::size_t>(allpassLengths[a] + extra), 0.0f);
            std::size_t at = 0;
            for (std::size_t i = 0; i < outChannel.size(); ++i) {
                const float buffered = line[at];
                const float x = outChannel[i];
                line[at] = x + buffered * 0.5f;
                outChannel[i] = buffered - x;
                if (++at == line.size()) at = 0;
            }
        }
    }
    return wet;
}

}  // namespace instruments
