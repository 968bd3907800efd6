// Composes, renders and encodes the two music loops: gen_music OUTDIR writes track0.ogg (level
// theme) and track1.ogg (boss theme), mono 22050 Hz Ogg Vorbis. The game loops each whole file,
// so each is an exact number of bars whose tails wrap onto its start.
#include <cstdio>
#include <string>

#include "ogg_writer.h"
#include "sequencer.h"

using namespace music;

namespace {

struct Chord {
    int root;      // bass note, low octave
    int tones[3];  // pad voicing, close position around middle C
};

// ---- Track 0: level theme. A minor, 128 BPM, 32 bars = 60 s. ----
// Sections of 8 bars: groove, theme, breakdown into a build, theme at full strength.

const Chord kAm{33, {57, 60, 64}}, kF{29, {57, 60, 65}}, kC{36, {55, 60, 64}}, kG{31, {55, 59, 62}},
    kEm{28, {55, 59, 64}}, kE{28, {56, 59, 64}};

const Chord* const kLevelChords[32] = {
    &kAm, &kF, &kC, &kG, &kAm, &kF, &kC, &kG,  // groove
    &kAm, &kF, &kC, &kG, &kAm, &kF, &kC, &kG,  // theme
    &kF, &kG, &kEm, &kAm, &kF, &kG, &kE, &kE,  // breakdown and build
    &kAm, &kF, &kC, &kG, &kAm, &kF, &kC, &kG,  // theme, full
};

struct Note {
    double beat, len;
    int midi;
};

const Note kTheme[] = {
    {0, 1.5, 76},  {1.5, 0.5, 74}, {2, 1, 72},     {3, 1, 69},                                   // Am
    {4, 0.5, 72},  {4.5, 0.5, 74}, {5, 1, 76},     {6, 1, 77},   {7, 0.5, 76}, {7.5, 0.5, 74},  // F
    {8, 1.5, 76},  {9.5, 0.5, 79}, {10, 1, 76},    {11, 1, 72},                                  // C
    {12, 2, 74},   {14, 1, 71},    {15, 1, 67},                                                  // G
    {16, 1.5, 76}, {17.5, 0.5, 74}, {18, 1, 72},   {19, 1, 69},                                  // Am
    {20, 0.5, 72}, {20.5, 0.5, 74}, {21, 1, 76},   {22, 1, 77},  {23, 1, 81},                    // F
    {24, 1.5, 79}, {25.5, 0.5, 76}, {26, 1, 72},   {27, 1, 76},                                  // C
    {28, 2, 74},   {30, 0.5, 76},  {30.5, 0.5, 74}, {31, 1, 71},                                 // G
};

const Note kBreakdownLine[] = {
    {0, 2, 72},  {2, 2, 69},  {4, 2, 71},  {6, 2, 74},  {8, 3, 76},  {11, 1, 74}, {12, 2, 72}, {14, 1, 71},
    {15, 1, 69}, {16, 2, 72}, {18, 1, 77}, {19, 1, 76}, {20, 2, 74}, {22, 2, 79}, {24, 6, 80},
};

// Arpeggio order over the four chord tones (three plus the octave), one bar of sixteenths.
const int kArpOrder[16] = {0, 1, 2, 3, 2, 1, 2, 3, 0, 1, 2, 3, 1, 2, 3, 2};

Buffer levelTheme() {
    Timeline tl(128.0, 32);
    Rng rng(0x1E7E1);
    auto humanise = [&](double base) { return base * (0.9 + 0.1 * rng.uniform()); };
    const Buffer kk = kick(1.0), sn = snare(11, 0.8), cl = clap(12), ch = hat(13, 0.03), oh = hat(14, 0.16),
                 cr = crash(15);

    for (int bar = 0; bar < 32; ++bar) {
        const int section = bar / 8, inSec = bar % 8;
        const Chord& c = *kLevelChords[bar];
        const double b0 = bar * 4.0;
        const bool breakdownQuiet = section == 2 && inSec < 4;

        // Drums.
        if (inSec == 0) tl.place(tl.dry, b0, cr, section == 2 ? 0.35 : 0.5);
        for (int beat = 0; beat < 4; ++beat) {
            double b = b0 + beat;
            if (!breakdownQuiet) {
                tl.place(tl.dry, b, kk, 0.95);
                tl.duckAt(b, 0.45);
            }
            if (!breakdownQuiet && (beat == 1 || beat == 3) && !(section == 2 && inSec >= 6)) {
                tl.place(tl.dry, b, cl, 0.45);
                tl.place(tl.verbSend, b, cl, 0.12);
            }
            tl.place(tl.dry, b + 0.5, oh, breakdownQuiet ? 0.12 : 0.22);
            for (int s = 0; s < 4; ++s) {
                if (s == 2) continue;
                double level = (s == 0 ? 0.14 : 0.09) * (section == 0 && inSec < 2 ? 0.6 : 1.0);
                if (section == 3 || section == 1) level *= 1.2;
                tl.place(tl.dry, b + s * 0.25, ch, humanise(level));
            }
        }
        // A fill at the end of each section; the build bars roll into the final theme.
        if (inSec == 7 && section != 2) {
            for (int s = 0; s < 4; ++s) tl.place(tl.dry, b0 + 3 + s * 0.25, sn, 0.18 + 0.08 * s);
        }
        if (section == 2 && inSec >= 6) {
            int per = inSec == 6 ? 2 : 4;
            for (int s = 0; s < 4 * per; ++s) {
                double u = (inSec - 6 + s / (4.0 * per)) / 2.0;
                tl.place(tl.dry, b0 + s * (1.0 / per), sn, 0.12 + 0.3 * u);
                tl.place(tl.verbSend, b0 + s * (1.0 / per), sn, 0.05);
            }
        }
        if (section == 2 && inSec == 4) {
            Buffer r = riser(77, tl.beats(16.0));
            tl.place(tl.dry, b0, r, 0.35);
        }

        // Bass: driving offbeat sixteenths; long notes while the breakdown breathes.
        if (breakdownQuiet) {
            Buffer n = bass(c.root + 12, tl.beats(3.5), 0.3);
            tl.place(tl.ducked, b0, n, 0.55);
        } else {
            for (int beat = 0; beat < 4; ++beat) {
                for (int s = 1; s < 4; ++s) {
                    int note = c.root + (s == 2 ? 24 : 12);
                    Buffer n = bass(note, tl.beats(0.2), section == 0 ? 0.45 : 0.6);
                    tl.place(tl.ducked, b0 + beat + s * 0.25, n, humanise(0.5));
                }
            }
        }

        // Pad on every bar, brighter and louder in the breakdown where it carries the harmony.
        {
            Buffer p = pad(c.tones, 3, tl.beats(4.0), breakdownQuiet ? 2200.0 : 1500.0, 0.12);
            tl.place(tl.ducked, b0, p, breakdownQuiet ? 0.9 : 0.6);
            tl.place(tl.verbSend, b0, p, 0.35);
        }

        // Arpeggio: sixteenths over the chord, thinned out at the very start of the loop.
        if (!(section == 0 && inSec < 2) && !(section == 2 && inSec < 2)) {
            const int tones[4] = {c.tones[0] + 12, c.tones[1] + 12, c.tones[2] + 12, c.tones[0] + 24};
            for (int s = 0; s < 16; ++s) {
                double accent = (s % 4 == 0) ? 1.0 : 0.7;
                Buffer n = pluck(tones[kArpOrder[s]], section == 2 ? 0.5 : 0.8);
                double g = 0.32 * accent * (section == 1 ? 0.8 : 1.0);
                tl.place(tl.ducked, b0 + s * 0.25, n, humanise(g));
                tl.place(tl.echoSend, b0 + s * 0.25, n, g * 0.35);
            }
        }
    }

    // Theme melody in the second section; doubled an octave up for the finale.
    for (const Note& n : kTheme) {
        Buffer v = lead(n.midi, tl.beats(n.len) * 0.92, 0.8);
        tl.place(tl.dry, 32.0 + n.beat, v, 0.7);
        tl.place(tl.echoSend, 32.0 + n.beat, v, 0.25);
        tl.place(tl.verbSend, 32.0 + n.beat, v, 0.2);
        Buffer hi = lead(n.midi + 12, tl.beats(n.len) * 0.92, 0.6);
        tl.place(tl.dry, 96.0 + n.beat, v, 0.62);
        tl.place(tl.dry, 96.0 + n.beat, hi, 0.3);
        tl.place(tl.echoSend, 96.0 + n.beat, v, 0.25);
        tl.place(tl.verbSend, 96.0 + n.beat, v, 0.25);
    }
    for (const Note& n : kBreakdownLine) {
        Buffer v = lead(n.midi, tl.beats(n.len) * 0.95, 0.35);
        tl.place(tl.dry, 64.0 + n.beat, v, 0.6);
        tl.place(tl.verbSend, 64.0 + n.beat, v, 0.4);
        tl.place(tl.echoSend, 64.0 + n.beat, v, 0.15);
    }
    return tl.mixdown(0.75, 0.35, 0.5, 1.0, 0.35, 0.6);
}

// ---- Track 1: boss theme. D minor with a Phrygian flat second, 160 BPM, 20 bars = 30 s. ----
// Eight bars of ostinato, eight with the lead over it, four of build that fall back into bar one.

const Chord kDm{38, {57, 62, 65}}, kBb{34, {58, 62, 65}}, kA{33, {57, 61, 64}}, kEb{39, {58, 63, 67}},
    kGm{31, {58, 62, 67}};

const Chord* const kBossChords[20] = {
    &kDm, &kDm, &kBb, &kA, &kDm, &kDm, &kEb, &kA,  // ostinato
    &kDm, &kDm, &kBb, &kA, &kDm, &kDm, &kEb, &kA,  // lead
    &kGm, &kEb, &kA,  &kA,                          // build
};

const Note kBossLead[] = {
    {0, 0.5, 62},  {0.5, 0.5, 65}, {1, 0.5, 64},   {1.5, 0.5, 62}, {2, 1, 69},    {3, 1, 68},    // Dm
    {4, 2, 69},    {6, 0.5, 70},   {6.5, 0.5, 69}, {7, 1, 65},                                   // Dm
    {8, 0.5, 62},  {8.5, 0.5, 65}, {9, 0.5, 64},   {9.5, 0.5, 62}, {10, 1, 70},   {11, 1, 69},   // Bb
    {12, 3, 61},   {15, 1, 64},                                                                  // A
    {16, 0.5, 62}, {16.5, 0.5, 65}, {17, 0.5, 64}, {17.5, 0.5, 62}, {18, 1, 69},  {19, 1, 68},   // Dm
    {20, 2, 69},   {22, 0.5, 70},  {22.5, 0.5, 72}, {23, 1, 74},                                 // Dm
    {24, 1.5, 75}, {25.5, 0.5, 74}, {26, 1, 70},   {27, 1, 67},                                  // Eb
    {28, 2, 69},   {30, 1, 73},    {31, 1, 76},                                                  // A
};

Buffer bossTheme() {
    Timeline tl(160.0, 20);
    Rng rng(0xB055);
    auto humanise = [&](double base) { return base * (0.9 + 0.1 * rng.uniform()); };
    const Buffer kk = kick(1.2), sn = snare(21, 1.0), ch = hat(23, 0.025), oh = hat(24, 0.12), cr = crash(25);
    const Buffer toms[3] = {tom(110.0), tom(82.0), tom(62.0)};

    for (int bar = 0; bar < 20; ++bar) {
        const int section = bar < 8 ? 0 : (bar < 16 ? 1 : 2);
        const int inSec = section == 2 ? bar - 16 : bar % 8;
        const Chord& c = *kBossChords[bar];
        const double b0 = bar * 4.0;

        if (inSec == 0) tl.place(tl.dry, b0, cr, 0.5);
        for (int beat = 0; beat < 4; ++beat) {
            double b = b0 + beat;
            tl.place(tl.dry, b, kk, 0.95);
            tl.duckAt(b, 0.35);
            if (beat == 1 || beat == 3) {
                tl.place(tl.dry, b, sn, 0.5);
                tl.place(tl.verbSend, b, sn, 0.15);
            }
            for (int s = 0; s < 4; ++s) {
                double level = s == 2 ? 0.0 : (s == 0 ? 0.13 : 0.08);
                if (level > 0.0) tl.place(tl.dry, b + s * 0.25, ch, humanise(level));
            }
            tl.place(tl.dry, b + 0.5, oh, 0.16);
        }
        // The pushed kick before beat three keeps it lurching forward.
        tl.place(tl.dry, b0 + 1.75, kk, 0.6);

        // Bass ostinato: sixteenths with the octave on the third of every four.
        for (int s = 0; s < 16; ++s) {
            int note = c.root + ((s % 4 == 2) ? 12 : 0);
            if (s == 14) note = c.root + 1 + 12 * (section != 2);  // a semitone rub before the next bar
            double bright = (s % 4 == 0) ? 0.9 : 0.55;
            Buffer n = bass(note, tl.beats(0.2), bright);
            tl.place(tl.ducked, b0 + s * 0.25, n, humanise(0.55));
        }

        // Dark pad, low in the ostinato and opening up in the build.
        {
            double cutoff = section == 2 ? 1400.0 + 500.0 * inSec : 1000.0;
            Buffer p = pad(c.tones, 3, tl.beats(4.0), cutoff, 0.05);
            tl.place(tl.ducked, b0, p, 0.55);
            tl.place(tl.verbSend, b0, p, 0.3);
        }

        // Stabs on the off-beats answer the kick.
        if (section != 2 || inSec < 2) {
            const double at[2] = {0.5, 2.5};
            for (int k = 0; k < 2; ++k) {
                const int up[3] = {c.tones[0] + 12, c.tones[1] + 12, c.tones[2] + 12};
                Buffer s = stab(up, 3, section == 1 ? 0.8 : 0.6);
                tl.place(tl.ducked, b0 + at[k], s, 0.7);
                tl.place(tl.echoSend, b0 + at[k], s, 0.25);
            }
        }

        // Build: snare roll and toms tumbling into the loop's first bar.
        if (section == 2 && inSec >= 2) {
            int per = inSec == 2 ? 2 : 4;
            for (int s = 0; s < 4 * per; ++s) {
                double u = (inSec - 2 + s / (4.0 * per)) / 2.0;
                tl.place(tl.dry, b0 + s * (1.0 / per), sn, 0.15 + 0.3 * u);
            }
        }
        if (section == 2 && inSec == 3) {
            for (int k = 0; k < 6; ++k) tl.place(tl.dry, b0 + 2.5 + k * 0.25, toms[k / 2], 0.5);
        }
        if (section == 2 && inSec == 0) {
            Buffer r = riser(99, tl.beats(16.0));
            tl.place(tl.dry, b0, r, 0.3);
        }
    }

    // Lead over the second eight bars; held notes with a lower double for weight.
    for (const Note& n : kBossLead) {
        Buffer v = lead(n.midi, tl.beats(n.len) * 0.9, 0.9);
        Buffer low = lead(n.midi - 12, tl.beats(n.len) * 0.9, 0.5);
        tl.place(tl.dry, 32.0 + n.beat, v, 0.65);
        tl.place(tl.dry, 32.0 + n.beat, low, 0.3);
        tl.place(tl.echoSend, 32.0 + n.beat, v, 0.3);
        tl.place(tl.verbSend, 32.0 + n.beat, v, 0.2);
    }
    // In the build the lead climbs in long notes over the chords.
    const Note climb[] = {{0, 4, 67}, {4, 4, 70}, {8, 4, 69}, {12, 3.5, 73}};
    for (const Note& n : climb) {
        Buffer v = lead(n.midi, tl.beats(n.len) * 0.95, 0.6);
        tl.place(tl.dry, 64.0 + n.beat, v, 0.55);
        tl.place(tl.verbSend, 64.0 + n.beat, v, 0.35);
    }
    return tl.mixdown(0.75, 0.3, 0.4, 0.9, 0.3, 0.6);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_music OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    // Fixed serial numbers keep the files byte-identical from build to build.
    if (!writeOggVorbis(dir + "/track0.ogg", levelTheme(), static_cast<long>(kRate), 0.2f, 0x51E0) ||
        !writeOggVorbis(dir + "/track1.ogg", bossTheme(), static_cast<long>(kRate), 0.2f, 0x51E1)) {
        std::fprintf(stderr, "gen_music: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
