#pragma once
// Small building blocks for the effect synthesiser: deterministic noise, oscillators, filters,
// envelopes, a compact reverb and a 16-bit WAV writer. Everything runs in double precision and
// depends on nothing but the standard library, so every build writes the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace synth {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

using Buffer = std::vector<double>;

inline double midiHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

// xorshift64*: fixed seed per sound, so the noise is part of the design, not an accident.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : s_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    std::uint64_t next() {
        s_ ^= s_ >> 12;
        s_ ^= s_ << 25;
        s_ ^= s_ >> 27;
        return s_ * 0x2545F4914F6CDD1Dull;
    }
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double bipolar() { return uniform() * 2.0 - 1.0; }

private:
    std::uint64_t s_;
};

// Phase accumulator; the caller supplies the frequency every sample so sweeps are free.
struct Phase {
    double p = 0.0;
    double step(double hz, double rate) {
        double out = p;
        p += hz / rate;
        p -= std::floor(p);
        return out;
    }
};

inline double sine(double phase) { return std::sin(kTwoPi * phase); }
inline double tri(double phase) { return 1.0 - 4.0 * std::fabs(phase - 0.5); }

// PolyBLEP removes most of the aliasing of naive saw and pulse waves.
inline double polyBlep(double t, double dt) {
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
inline double saw(double phase, double dt) { return 2.0 * phase - 1.0 - polyBlep(phase, dt); }
inline double pulse(double phase, double dt, double width) {
    double b = phase + (1.0 - width);
    b -= std::floor(b);
    return (phase < width ? 1.0 : -1.0) + polyBlep(phase, dt) - polyBlep(b, dt);
}

struct OnePoleLP {
    double z = 0.0;
    double process(double x, double hz, double rate) {
        double a = 1.0 - std::exp(-kTwoPi * hz / rate);
        z += a * (x - z);
        return z;
    }
};

struct OnePoleHP {
    OnePoleLP lp;
    double process(double x, double hz, double rate) { return x - lp.process(x, hz, rate); }
};

// Trapezoidal state-variable filter: stable under fast cutoff sweeps.
struct Svf {
    double ic1 = 0.0, ic2 = 0.0;
    double lp = 0.0, bp = 0.0, hp = 0.0;
    void process(double x, double hz, double q, double rate) {
        hz = std::clamp(hz, 10.0, rate * 0.45);
        double g = std::tan(kPi * hz / rate);
        double k = 1.0 / q;
        double a1 = 1.0 / (1.0 + g * (g + k));
        double a2 = g * a1;
        double a3 = g * a2;
        double v3 = x - ic2;
        double v1 = a1 * ic1 + a2 * v3;
        double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0 * v1 - ic1;
        ic2 = 2.0 * v2 - ic2;
        lp = v2;
        bp = v1;
        hp = x - k * v1 - v2;
    }
};

// Attack-decay-sustain-release shape, times in seconds; gate closes at `hold`.
inline double adsr(double t, double a, double d, double s, double hold, double r) {
    if (t < 0.0) return 0.0;
    double level;
    if (t < a)
        level = t / a;
    else if (t < a + d)
        level = 1.0 - (1.0 - s) * ((t - a) / d);
    else
        level = s;
    if (t >= hold) {
        double atHold = hold < a ? hold / a : (hold < a + d ? 1.0 - (1.0 - s) * ((hold - a) / d) : s);
        double k = (t - hold) / r;
        level = k >= 1.0 ? 0.0 : atHold * (1.0 - k);
    }
    return level;
}

// Exponential decay with a short linear attack: the shape of anything struck.
inline double strike(double t, double attack, double decay) {
    if (t < 0.0) return 0.0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

// A small Schroeder/Moorer room: parallel damped combs, then series allpasses.
class Reverb {
public:
    Reverb(double rate, double size, double damp) : damp_(damp) {
        static const int combMs[] = {1116, 1188, 1277, 1356, 1422, 1491};
        static const int apMs[] = {556, 441, 341};
        for (int c : combMs) {
            combs_.push_back({std::vector<double>(std::max(1, int(c * size * rate / 44100.0))), 0, 0.0});
        }
        for (int a : apMs) {
            aps_.push_back({std::vector<double>(std::max(1, int(a * rate / 44100.0))), 0, 0.0});
        }
        feedback_ = 0.70 + 0.28 * std::clamp(size - 0.5, 0.0, 1.0);
    }
    void setFeedback(double fb) { feedback_ = fb; }
    double process(double x) {
        double sum = 0.0;
        for (auto& c : combs_) {
            double y = c.buf[c.pos];
            c.store = y * (1.0 - damp_) + c.store * damp_;
            c.buf[c.pos] = x + c.store * feedback_;
            c.pos = (c.pos + 1) % c.buf.size();
            sum += y;
        }
        double y = sum / static_cast<double>(combs_.size());
        for (auto& a : aps_) {
            double b = a.buf[a.pos];
            double out = -y + b;
            a.buf[a.pos] = y + b * 0.5;
            a.pos = (a.pos + 1) % a.buf.size();
            y = out;
        }
        return y;
    }

private:
    struct Line {
        std::vector<double> buf;
        std::size_t pos;
        double store;
    };
    std::vector<Line> combs_, aps_;
    double damp_;
    double feedback_;
};

inline void addReverb(Buffer& b, double rate, double size, double damp, double wet, double predelayHz = 0) {
    Reverb r(rate, size, damp);
    OnePoleHP hp;
    for (double& x : b) {
        double in = predelayHz > 0 ? hp.process(x, predelayHz, rate) : x;
        x += wet * r.process(in);
    }
}

// Feedback echo with a darkening loop, for tails that should trail rather than smear.
inline void addEcho(Buffer& b, double rate, double seconds, double feedback, double wet, double toneHz) {
    std::size_t d = static_cast<std::size_t>(seconds * rate);
    std::vector<double> line(d, 0.0);
    std::size_t pos = 0;
    OnePoleLP tone;
    for (double& x : b) {
        double y = line[pos];
        line[pos] = x + tone.process(y, toneHz, rate) * feedback;
        pos = (pos + 1) % d;
        x += wet * y;
    }
}

inline void removeDc(Buffer& b, double rate, double hz = 20.0) {
    OnePoleHP hp;
    for (double& x : b) x = hp.process(x, hz, rate);
}

// Raised-cosine fades so every file starts and ends on silence.
inline void fadeEnds(Buffer& b, double rate, double inSec, double outSec) {
    std::size_t fi = std::min(b.size(), static_cast<std::size_t>(inSec * rate));
    std::size_t fo = std::min(b.size(), static_cast<std::size_t>(outSec * rate));
    for (std::size_t i = 0; i < fi; ++i) b[i] *= 0.5 - 0.5 * std::cos(kPi * double(i) / double(fi));
    for (std::size_t i = 0; i < fo; ++i) {
        double g = 0.5 - 0.5 * std::cos(kPi * double(i) / double(fo));
        b[b.size() - 1 - i] *= g;
    }
    if (!b.empty()) {
        b.front() = 0.0;
        b.back() = 0.0;
    }
}

inline void normalizePeak(Buffer& b, double peak) {
    double m = 0.0;
    for (double x : b) m = std::max(m, std::fabs(x));
    if (m <= 0.0) return;
    double g = peak / m;
    for (double& x : b) x *= g;
}

inline bool writeWav(const std::string& path, const Buffer& b, int rate) {
    std::vector<unsigned char> out;
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    auto u16 = [&](std::uint16_t v) {
        out.push_back(static_cast<unsigned char>(v));
        out.push_back(static_cast<unsigned char>(v >> 8));
    };
    auto tag = [&](const char* s) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(s[i]));
    };
    std::uint32_t dataBytes = static_cast<std::uint32_t>(b.size() * 2);
    tag("RIFF");
    u32(36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(static_cast<std::uint32_t>(rate));
    u32(static_cast<std::uint32_t>(rate * 2));
    u16(2);
    u16(16);
    tag("data");
    u32(dataBytes);
    for (double x : b) {
        double v = std::round(std::clamp(x, -1.0, 1.0) * 32767.0);
        u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace synth
