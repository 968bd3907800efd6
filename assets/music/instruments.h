#pragma once
// Voices for the music sequencer. Each call renders one note into a fresh buffer (tail included);
// the sequencer places it on the timeline. All voices share the effect synthesiser's DSP parts.
#include "../sound/synth.h"

namespace music {

using synth::Buffer;
using synth::Phase;
using synth::Rng;
using synth::Svf;
using synth::adsr;
using synth::kTwoPi;
using synth::midiHz;
using synth::pulse;
using synth::saw;
using synth::sine;
using synth::strike;

constexpr double kRate = 22050.0;

inline std::size_t samplesFor(double seconds) { return static_cast<std::size_t>(seconds * kRate); }

inline Buffer kick(double punch) {
    Buffer b(samplesFor(0.45));
    Phase p;
    Svf clickF;
    Rng rng(0xB00F);
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / kRate;
        double hz = 46.0 + 120.0 * punch * std::exp(-t / 0.032);
        double body = sine(p.step(hz, kRate)) * strike(t, 0.0015, 0.17);
        clickF.process(rng.bipolar(), 3000.0, 0.7, kRate);
        double click = clickF.lp * strike(t, 0.0005, 0.004) * 0.6;
        b[i] = std::tanh(1.8 * (body + click)) / 1.5;
    }
    return b;
}

inline Buffer snare(std::uint64_t seed, double tone) {
    Buffer b(samplesFor(0.4));
    Rng rng(seed);
    Phase p;
    Svf body, sizzle;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / kRate;
        double n = rng.bipolar();
        body.process(n, 1900.0, 0.7, kRate);
        sizzle.process(n, 5500.0, 0.7, kRate);
        double drum = sine(p.step(180.0 + 60.0 * std::exp(-t / 0.01), kRate)) * strike(t, 0.001, 0.05) * tone;
        b[i] = 0.6 * drum + 0.7 * body.bp * strike(t, 0.001, 0.12) + 0.35 * sizzle.hp * strike(t, 0.001, 0.09);
    }
    return b;
}

inline Buffer clap(std::uint64_t seed) {
    Buffer b(samplesFor(0.35));
    Rng rng(seed);
    Svf band;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / kRate;
        band.process(rng.bipolar(), 1300.0, 1.4, kRate);
        double env = 0.0;
        for (int k = 0; k < 3; ++k) env = std::max(env, strike(t - 0.010 * k, 0.0005, 0.005));
        env = std::max(env, 0.8 * strike(t - 0.03, 0.001, 0.1));
        b[i] = band.bp * env * 1.6;
    }
    return b;
}

inline Buffer hat(std::uint64_t seed, double decay) {
    Buffer b(samplesFor(decay * 6.0 + 0.01));
    Rng rng(seed);
    Svf hi;
    Phase m1, m2;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / kRate;
        // A little ring-modulated metal under the noise keeps it from sounding like plain hiss.
        double metal = synth::pulse(m1.step(3217.0, kRate), 3217.0 / kRate, 0.5) *
                       synth::pulse(m2.step(4670.0, kRate), 4670.0 / kRate, 0.5);
        hi.process(rng.bipolar() + 0.2 * metal, 7200.0, 0.8, kRate);
        b[i] = hi.hp * strike(t, 0.0008, decay);
    }
    return b;
}

inline Buffer crash(std::uint64_t seed) {
    Buffer b(samplesFor(2.2));
    Rng rng(seed);
    Svf hi, tone;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / kRate;
        double n = rng.bipolar();
        hi.process(n, 4500.0, 0.6, kRate);
        tone.process(n, 8000.0 - 3000.0 * std::min(1.0, t), 3.0, kRate);
        b[i] = (0.6 * hi.hp + 0.3 * tone.bp) * strike(t, 0.002, 0.55) * (0.75 + 0.25 * std::exp(-t / 0.05));
    }
    return b;
}

inline Buffer tom(double hz) {
    Buffer b(samplesFor(0.5));
    Phase p;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / kRate;
        double f = hz * (1.0 + 0.6 * std::exp(-t / 0.03));
        b[i] = sine(p.step(f, kRate)) * strike(t, 0.002, 0.16);
    }
    return b;
}

// Filtered noise rising in pitch and level over `seconds`, cut just before the downbeat it leads to.
inline Buffer riser(std::uint64_t seed, double seconds) {
    Buffer b(samplesFor(seconds));
    Rng rng(seed);
    Svf band;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double u = static_cast<double>(i) / static_cast<double>(b.size());
        band.process(rng.bipolar(), 350.0 * std::pow(2.0, 4.2 * u), 2.0, kRate);
        double tail = std::min(1.0, (1.0 - u) * seconds / 0.015);
        b[i] = band.bp * u * u * tail;
    }
    return b;
}

// Detuned saw bass with a sub sine and a plucky filter envelope.
inline Buffer bass(double midi, double seconds, double bright) {
    const double release = 0.04;
    Buffer b(samplesFor(seconds + release + 0.01));
    double hz = midiHz(midi);
    Phase a, c, sub;
    Svf f;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / kRate;
        double osc = saw(a.step(hz * 0.997, kRate), hz / kRate) + 0.7 * saw(c.step(hz * 1.004, kRate), hz / kRate);
        double env = adsr(t, 0.003, 0.09, 0.8, seconds, release);
        f.process(osc, 150.0 + hz * 1.5 + bright * 1900.0 * std::exp(-t / 0.07), 1.4, kRate);
        b[i] = (0.55 * f.lp + 0.65 * sine(sub.step(hz, kRate))) * env;
    }
    return b;
}

// Lead: three detuned saws and a square an octave down, with delayed vibrato.
inline Buffer lead(double midi, double seconds, double bright) {
    const double release = 0.12;
    Buffer b(samplesFor(seconds + release + 0.01));
    double hz = midiHz(midi);
    Phase p[4], vib;
    Svf f;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / kRate;
        double depth = 0.005 * std::clamp((t - 0.18) / 0.25, 0.0, 1.0);
        double v = 1.0 + depth * sine(vib.step(5.3, kRate));
        double f0 = hz * v;
        double osc = saw(p[0].step(f0, kRate), f0 / kRate) + 0.8 * saw(p[1].step(f0 * 1.0058, kRate), f0 / kRate) +
                     0.8 * saw(p[2].step(f0 * 0.9942, kRate), f0 / kRate) +
                     0.6 * pulse(p[3].step(f0 * 0.5, kRate), f0 * 0.5 / kRate, 0.5);
        double env = adsr(t, 0.008, 0.25, 0.7, seconds, release);
        f.process(osc, hz * 1.5 + bright * (1200.0 + 2200.0 * std::exp(-t / 0.15)), 1.1, kRate);
        b[i] = 0.3 * f.lp * env;
    }
    return b;
}

// Short pulse pluck for arpeggios.
inline Buffer pluck(double midi, double bright) {
    Buffer b(samplesFor(0.35));
    double hz = midiHz(midi);
    Phase p, q;
    Svf f;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / kRate;
        double osc = pulse(p.step(hz, kRate), hz / kRate, 0.28) + 0.5 * saw(q.step(hz * 1.003, kRate), hz / kRate);
        f.process(osc, 300.0 + hz + bright * 3800.0 * std::exp(-t / 0.045), 1.3, kRate);
        b[i] = 0.5 * f.lp * strike(t, 0.002, 0.09);
    }
    return b;
}

// Warm pad: a chord of detuned saws through a slowly breathing low-pass.
inline Buffer pad(const int* notes, int count, double seconds, double cutoff, double attack) {
    const double release = 0.6;
    Buffer b(samplesFor(seconds + release + 0.01), 0.0);
    for (int n = 0; n < count; ++n) {
        double hz = midiHz(notes[n]);
        Phase p[3];
        Svf f;
        const double det[3] = {0.993, 1.0, 1.0071};
        for (std::size_t i = 0; i < b.size(); ++i) {
            double t = i / kRate;
            double osc = 0.0;
            for (int k = 0; k < 3; ++k) osc += saw(p[k].step(hz * det[k], kRate), hz / kRate);
            f.process(osc, cutoff * (1.0 + 0.25 * std::sin(kTwoPi * 0.4 * t + n)), 0.8, kRate);
            b[i] += f.lp * adsr(t, attack, 0.4, 0.8, seconds, release) * 0.12;
        }
    }
    return b;
}

// Short brassy chord hit for the boss theme.
inline Buffer stab(const int* notes, int count, double bright) {
    Buffer b(samplesFor(0.45), 0.0);
    for (int n = 0; n < count; ++n) {
        double hz = midiHz(notes[n]);
        Phase p[2];
        Svf f;
        for (std::size_t i = 0; i < b.size(); ++i) {
            double t = i / kRate;
            double osc = saw(p[0].step(hz * 0.995, kRate), hz / kRate) + saw(p[1].step(hz * 1.005, kRate), hz / kRate);
            f.process(osc, 400.0 + bright * 3000.0 * std::exp(-t / 0.06), 1.2, kRate);
            b[i] += 0.18 * f.lp * strike(t, 0.003, 0.12);
        }
    }
    return b;
}

}  // namespace music
