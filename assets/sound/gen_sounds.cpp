// Synthesises the thirteen sound effects: gen_sounds OUTDIR writes sample01.wav .. sample13.wav.
// Lengths are fixed in samples because the game hands each file's exact byte size to the mixer.
#include <cstdio>
#include <functional>
#include <string>

#include "synth.h"

using namespace synth;

namespace {

struct Effect {
    const char* name;
    int rate;
    std::size_t samples;
    double peak;  // loudness is balanced against the game's per-effect default volume
    std::function<void(Buffer&, double)> render;
};

// 1: explosion. A noise blast whose filter closes as it decays, a falling sub thump underneath,
// a slower rumble and sparse crackle, gently saturated so the front hits hard without clipping.
void explosion(Buffer& b, double rate) {
    Rng rng(0x51A7E001);
    Svf blast, rumbleF, crackleF;
    Phase thump;
    double brown = 0.0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / rate;
        double n = rng.bipolar();
        blast.process(n, 180.0 + 5200.0 * std::exp(-t / 0.16), 0.9, rate);
        double body = blast.lp * strike(t, 0.002, 0.28);
        brown = 0.985 * brown + 0.15 * rng.bipolar();
        rumbleF.process(brown, 110.0 + 90.0 * std::exp(-t / 0.5), 1.2, rate);
        double rumble = rumbleF.lp * strike(t, 0.02, 0.55) * 1.6;
        double hz = 38.0 + 95.0 * std::exp(-t / 0.07);
        double sub = sine(thump.step(hz, rate)) * strike(t, 0.003, 0.22);
        double crackle = 0.0;
        if (rng.uniform() < 0.015 * std::exp(-t / 0.2)) crackle = rng.bipolar();
        crackleF.process(crackle, 2500.0, 2.0, rate);
        double x = 0.9 * body + 0.9 * rumble + 0.75 * sub + 0.5 * crackleF.bp;
        b[i] = std::tanh(1.6 * x) / 1.6;
    }
    removeDc(b, rate, 25.0);
    fadeEnds(b, rate, 0.001, 0.25);
}

// 2: the menu title pulse. A breath of band-passed air that swells and settles, a soft sine
// bell on a fifth, and a long dark room so it blooms instead of ticking.
void menuPulse(Buffer& b, double rate) {
    Rng rng(0x51A7E002);
    Svf air;
    Phase p1, p2, p3;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / rate;
        air.process(rng.bipolar(), 900.0 + 700.0 * std::exp(-t / 0.4), 2.5, rate);
        double breath = air.bp * adsr(t, 0.09, 0.25, 0.25, 0.45, 0.7) * 0.8;
        double bell = 0.55 * sine(p1.step(659.26, rate)) * strike(t, 0.012, 0.45) +
                      0.35 * sine(p2.step(987.77, rate)) * strike(t, 0.02, 0.30) +
                      0.20 * sine(p3.step(329.63, rate)) * strike(t, 0.03, 0.7);
        b[i] = bell * 0.5 + breath;
    }
    addReverb(b, rate, 1.2, 0.55, 0.9, 200.0);
    removeDc(b, rate);
    fadeEnds(b, rate, 0.004, 0.9);
}

// 3: weapon pickup. A quick rising major arpeggio over two octaves on bright pulses whose
// filters open with each step, a sweeping undertone, and echoes carrying the top note.
void weaponPickup(Buffer& b, double rate) {
    const double notes[] = {60, 64, 67, 72, 76, 79, 84, 88};
    const double step = 0.055;
    Svf tone;
    Phase p[8], sweep;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / rate;
        double x = 0.0;
        for (int k = 0; k < 8; ++k) {
            double nt = t - k * step;
            if (nt < 0.0) continue;
            double hz = midiHz(notes[k]);
            double len = k == 7 ? 0.55 : 0.12;
            double env = adsr(nt, 0.004, 0.05, 0.6, len, k == 7 ? 0.5 : 0.08);
            x += env * (0.6 * pulse(p[k].step(hz, rate), hz / rate, 0.3) + 0.4 * sine(p[k].p));
        }
        tone.process(x, 1400.0 + 5000.0 * std::min(1.0, t / 0.45), 0.8, rate);
        double swHz = 200.0 * std::pow(2.0, std::min(t, 0.5) / 0.5 * 2.0);
        double under = sine(sweep.step(swHz, rate)) * adsr(t, 0.02, 0.3, 0.4, 0.5, 0.2) * 0.35;
        b[i] = 0.45 * tone.lp + under;
    }
    addEcho(b, rate, 0.165, 0.45, 0.5, 3000.0);
    addReverb(b, rate, 0.8, 0.4, 0.35, 150.0);
    removeDc(b, rate);
    fadeEnds(b, rate, 0.002, 0.35);
}

// Brass-like voice: detuned saws behind a filter that blooms on the attack.
double brass(Phase* ph, double hz, double t, double len, double rate, Svf& f, double brightness) {
    if (t < 0.0) return 0.0;
    double vib = 1.0 + 0.004 * std::sin(kTwoPi * 5.5 * t) * std::min(1.0, t / 0.3);
    double f0 = hz * vib;
    double s = saw(ph[0].step(f0 * 0.997, rate), f0 / rate) + saw(ph[1].step(f0 * 1.003, rate), f0 / rate) +
               0.5 * sine(ph[2].step(f0 * 0.5, rate));
    double env = adsr(t, 0.015, 0.12, 0.75, len, 0.25);
    double cut = hz * (1.5 + brightness * (2.5 * std::exp(-t / 0.12) + 1.5 * env));
    f.process(s, cut, 0.8, rate);
    return f.lp * env;
}

// 4: extra life. A short pickup figure into a held major chord, with the top voice moving up
// a step and resolving, so it reads as a reward rather than an alarm.
void extraLife(Buffer& b, double rate) {
    struct Note {
        double start, len, midi;
    };
    const Note score[] = {
        {0.00, 0.10, 67}, {0.11, 0.10, 72}, {0.22, 0.10, 76},                      // pickup
        {0.34, 1.15, 79}, {0.34, 1.15, 76}, {0.34, 1.15, 72}, {0.34, 1.15, 60},  // held chord
        {0.80, 0.20, 81}, {1.02, 0.55, 84},                                        // top line
    };
    constexpr int kNotes = sizeof(score) / sizeof(score[0]);
    Phase ph[kNotes][3];
    Svf filt[kNotes];
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / rate;
        double x = 0.0;
        for (int k = 0; k < kNotes; ++k) {
            double gain = score[k].midi < 64 ? 0.6 : 0.35;
            x += gain * brass(ph[k], midiHz(score[k].midi), t - score[k].start, score[k].len, rate, filt[k], 1.0);
        }
        b[i] = x;
    }
    addReverb(b, rate, 0.9, 0.45, 0.45, 150.0);
    removeDc(b, rate);
    fadeEnds(b, rate, 0.002, 0.3);
}

// 5: a shot landing on a hull. A click of filtered noise and a tiny falling knock; over fast
// enough that a stream of hits stays a texture.
void shotImpact(Buffer& b, double rate) {
    Rng rng(0x51A7E005);
    Svf click;
    Phase knock;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / rate;
        click.process(rng.bipolar(), 3200.0 - 2000.0 * std::min(1.0, t / 0.03), 1.4, rate);
        double noise = click.bp * strike(t, 0.0008, 0.018);
        double hz = 180.0 + 520.0 * std::exp(-t / 0.012);
        double body = sine(knock.step(hz, rate)) * strike(t, 0.001, 0.035);
        b[i] = 0.8 * noise + 0.6 * body;
    }
    removeDc(b, rate);
    fadeEnds(b, rate, 0.0005, 0.08);
}

// Two-operator FM bell: modulation index decays faster than the carrier, so it mellows out.
double fmBell(Phase& car, Phase& mod, double hz, double ratio, double index, double t, double decay, double rate) {
    if (t < 0.0) return 0.0;
    double m = sine(mod.step(hz * ratio, rate)) * index * std::exp(-t / (decay * 0.35));
    double c = std::sin(kTwoPi * car.step(hz, rate) + m);
    return c * strike(t, 0.002, decay);
}

// 6: energy pickup. Two soft FM bell notes a fifth apart, glassy but round; it plays constantly.
void energyChime(Buffer& b, double rate) {
    Phase c1, m1, c2, m2, c3, m3;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / rate;
        double x = 0.55 * fmBell(c1, m1, midiHz(88), 3.5, 1.2, t, 0.22, rate) +
                   0.60 * fmBell(c2, m2, midiHz(95), 3.5, 1.0, t - 0.06, 0.30, rate) +
                   0.20 * fmBell(c3, m3, midiHz(76), 2.0, 0.8, t, 0.25, rate);
        b[i] = x;
    }
    addEcho(b, rate, 0.12, 0.35, 0.3, 4000.0);
    addReverb(b, rate, 0.7, 0.5, 0.25, 300.0);
    removeDc(b, rate);
    fadeEnds(b, rate, 0.002, 0.3);
}

// 7: the start of a volley. A quick downward zap on a triangle-plus-sine pair with a breath of
// noise, low-passed so a constant stream of them never turns shrill.
void shotZap(Buffer& b, double rate) {
    Rng rng(0x51A7E007);
    Phase ph, sub;
    Svf tone, hiss;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / rate;
        double hz = 260.0 + 1500.0 * std::exp(-t / 0.035);
        double osc = 0.6 * tri(ph.step(hz, rate)) + 0.4 * sine(sub.step(hz * 0.5, rate));
        tone.process(osc, 3500.0, 0.7, rate);
        double zap = tone.lp * strike(t, 0.002, 0.06);
        hiss.process(rng.bipolar(), 2500.0, 1.0, rate);
        double air = hiss.bp * strike(t, 0.001, 0.02) * 0.35;
        b[i] = zap + air;
    }
    addEcho(b, rate, 0.09, 0.3, 0.25, 2000.0);
    removeDc(b, rate);
    fadeEnds(b, rate, 0.0008, 0.15);
}

// 8: boss warning. A two-tone klaxon on detuned saws, four whoops over a low drone that
// throbs, closing with a falling tail rather than a cut.
void warningSiren(Buffer& b, double rate) {
    Phase a, c, d, lfo;
    Svf filt, droneF;
    const double whoop = 0.72;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / rate;
        double w = std::fmod(t, whoop) / whoop;
        double sweep = w < 0.55 ? w / 0.55 : 1.0 - (w - 0.55) / 0.45 * 0.35;
        double hz = 330.0 * std::pow(2.0, sweep * 0.75);
        if (t > whoop * 4.0) hz *= std::pow(2.0, -(t - whoop * 4.0) * 2.0);
        double s = saw(a.step(hz, rate), hz / rate) + saw(c.step(hz * 1.006, rate), hz / rate) +
                   0.6 * pulse(d.step(hz * 0.5, rate), hz * 0.5 / rate, 0.5);
        filt.process(s, 900.0 + 1800.0 * sweep, 1.6, rate);
        double gate = 0.75 + 0.25 * std::sin(kTwoPi * std::fmod(t, whoop) / whoop - kPi / 2);
        double siren = filt.lp * gate * adsr(t, 0.05, 0.1, 1.0, 2.75, 0.26);
        double throb = 0.6 + 0.4 * sine(lfo.step(1.0 / whoop * 2.0, rate));
        droneF.process(saw(d.p, 0.0), 200.0, 0.7, rate);
        double drone = droneF.lp * throb * adsr(t, 0.2, 0.1, 1.0, 2.75, 0.26) * 0.4;
        b[i] = 0.35 * siren + drone;
    }
    addReverb(b, rate, 0.8, 0.5, 0.3, 150.0);
    removeDc(b, rate);
    fadeEnds(b, rate, 0.005, 0.15);
}

// 9: the shield coming up. Noise through a rising resonant band, a rising FM tone and a
// shimmering top that settles into a hum as the field locks.
void shieldRaise(Buffer& b, double rate) {
    Rng rng(0x51A7E009);
    Svf band;
    Phase car, mod, hum, shim;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / rate;
        double rise = std::min(1.0, t / 0.45);
        double shaped = rise * rise * (3.0 - 2.0 * rise);
        band.process(rng.bipolar(), 300.0 * std::pow(2.0, shaped * 4.0), 3.0, rate);
        double whoosh = band.bp * adsr(t, 0.3, 0.2, 0.2, 0.55, 0.5) * 0.9;
        double hz = 180.0 * std::pow(2.0, shaped * 2.0);
        double m = sine(mod.step(hz * 1.5, rate)) * (0.4 + 1.8 * shaped) * std::exp(-std::max(0.0, t - 0.45) / 0.2);
        double charge = std::sin(kTwoPi * car.step(hz, rate) + m) * adsr(t, 0.35, 0.15, 0.45, 0.7, 0.4);
        double h = sine(hum.step(hz * 2.0, rate)) * sine(shim.step(7.0, rate)) * adsr(t, 0.45, 0.1, 1.0, 0.75, 0.35);
        b[i] = 0.6 * whoosh + 0.35 * charge + 0.15 * h;
    }
    addReverb(b, rate, 0.7, 0.5, 0.3, 200.0);
    removeDc(b, rate);
    fadeEnds(b, rate, 0.003, 0.2);
}

// 10: one count step of the mission report: a dry wooden-ish tick with a little pitch.
void countTick(Buffer& b, double rate) {
    Rng rng(0x51A7E010);
    Phase p1, p2;
    Svf clickF;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / rate;
        double tone = 0.6 * sine(p1.step(1568.0, rate)) * strike(t, 0.001, 0.035) +
                      0.3 * sine(p2.step(2349.3, rate)) * strike(t, 0.001, 0.018);
        clickF.process(rng.bipolar(), 5000.0, 1.0, rate);
        double click = clickF.bp * strike(t, 0.0003, 0.003);
        b[i] = tone + 0.5 * click;
    }
    addReverb(b, rate, 0.5, 0.6, 0.12, 400.0);
    removeDc(b, rate);
    fadeEnds(b, rate, 0.0005, 0.12);
}

// 11: the shield soaking up a bullet: a tiny metallic blip that bends upward.
void shieldBlip(Buffer& b, double rate) {
    Phase car, mod;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / rate;
        double hz = 900.0 + 500.0 * std::min(1.0, t / 0.04);
        double m = sine(mod.step(hz * 1.41, rate)) * 1.2 * std::exp(-t / 0.03);
        b[i] = std::sin(kTwoPi * car.step(hz, rate) + m) * strike(t, 0.002, 0.028);
    }
    removeDc(b, rate);
    fadeEnds(b, rate, 0.001, 0.03);
}

// 12: shield refund / unlock. Four bell steps up a major chord and a held octave with a
// sparkle on top: clearly a gain, short enough to overlap gameplay.
void refundJingle(Buffer& b, double rate) {
    const double notes[] = {81, 85, 88, 93};
    Phase c[6], m[6];
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / rate;
        double x = 0.0;
        for (int k = 0; k < 4; ++k) {
            double decay = k == 3 ? 0.5 : 0.18;
            x += 0.4 * fmBell(c[k], m[k], midiHz(notes[k]), 2.0, 1.5, t - 0.075 * k, decay, rate);
        }
        x += 0.25 * fmBell(c[4], m[4], midiHz(69), 1.0, 1.0, t - 0.225, 0.45, rate);
        x += 0.12 * fmBell(c[5], m[5], midiHz(100), 3.0, 0.7, t - 0.3, 0.2, rate);
        b[i] = x;
    }
    addEcho(b, rate, 0.15, 0.35, 0.3, 5000.0);
    addReverb(b, rate, 0.8, 0.4, 0.3, 200.0);
    removeDc(b, rate);
    fadeEnds(b, rate, 0.002, 0.4);
}

// 13: the logo flash. A cluster of high partials with a fizz of noise, bright and gone.
void logoShimmer(Buffer& b, double rate) {
    Rng rng(0x51A7E013);
    const double partials[] = {1760.0, 2217.5, 2637.0, 3322.4, 3520.0, 4434.9};
    Phase p[6];
    double detune[6];
    for (double& d : detune) d = 1.0 + 0.004 * rng.bipolar();
    Svf fizz;
    for (std::size_t i = 0; i < b.size(); ++i) {
        double t = i / rate;
        double x = 0.0;
        for (int k = 0; k < 6; ++k) {
            double trem = 0.7 + 0.3 * std::sin(kTwoPi * (23.0 + 7.0 * k) * t);
            x += sine(p[k].step(partials[k] * detune[k], rate)) * trem * strike(t - 0.006 * k, 0.004, 0.05) / (1 + 0.3 * k);
        }
        fizz.process(rng.bipolar(), 7000.0, 0.8, rate);
        x += 0.35 * fizz.bp * strike(t, 0.002, 0.03);
        b[i] = x;
    }
    removeDc(b, rate);
    fadeEnds(b, rate, 0.002, 0.06);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_sounds OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    // Sample counts match the byte sizes the game expects: 44-byte header + 2 bytes a sample.
    const Effect effects[] = {
        {"sample01.wav", 22050, 43316, 0.85, explosion},
        {"sample02.wav", 22050, 60872, 0.75, menuPulse},
        {"sample03.wav", 22050, 39508, 0.70, weaponPickup},
        {"sample04.wav", 22050, 44408, 0.60, extraLife},
        {"sample05.wav", 22050, 6944, 0.85, shotImpact},
        {"sample06.wav", 22050, 27576, 0.45, energyChime},
        {"sample07.wav", 22050, 11928, 0.85, shotZap},
        {"sample08.wav", 22050, 66360, 0.55, warningSiren},
        {"sample09.wav", 44100, 50885, 0.60, shieldRaise},
        {"sample10.wav", 44100, 17413, 0.45, countTick},
        {"sample11.wav", 44100, 4845, 0.30, shieldBlip},
        {"sample12.wav", 44100, 71336, 0.50, refundJingle},
        {"sample13.wav", 22050, 3669, 0.55, logoShimmer},
    };
    for (const Effect& e : effects) {
        Buffer b(e.samples, 0.0);
        e.render(b, static_cast<double>(e.rate));
        normalizePeak(b, e.peak);
        if (!writeWav(dir + "/" + e.name, b, e.rate)) {
            std::fprintf(stderr, "gen_sounds: cannot write %s/%s\n", dir.c_str(), e.name);
            return 1;
        }
    }
    return 0;
}
