#pragma once
// A loop-aware mixing timeline. Every note is placed modulo the loop length, so anything that rings
// past the last bar lands on the first ones; the effect returns and the master chain are run over
// two passes of the loop and only the second is kept, so their state at the seam is the same as
// anywhere else. The rendered loop therefore plays into itself with no seam.
#include "instruments.h"

namespace music {

class Timeline {
public:
    Timeline(double bpm, int bars)
        : spb_(kRate * 60.0 / bpm), length_(static_cast<std::size_t>(std::llround(spb_ * 4.0 * bars))),
          dry(length_, 0.0), ducked(length_, 0.0), echoSend(length_, 0.0), verbSend(length_, 0.0),
          duck_(length_, 1.0) {}

    std::size_t length() const { return length_; }
    double secondsPerBeat() const { return spb_ / kRate; }
    double beats(double n) const { return n * spb_ / kRate; }

    void place(Buffer& bus, double beat, const Buffer& v, double gain) {
        std::size_t s = static_cast<std::size_t>(std::llround(beat * spb_)) % length_;
        for (std::size_t i = 0; i < v.size(); ++i) bus[(s + i) % length_] += v[i] * gain;
    }

    // Pumps the ducked bus down on each kick, the way a side-chained compressor would.
    void duckAt(double beat, double depth) {
        std::size_t s = static_cast<std::size_t>(std::llround(beat * spb_)) % length_;
        std::size_t n = samplesFor(0.4);
        for (std::size_t i = 0; i < n; ++i) {
            double t = i / kRate;
            double g = 1.0 - depth * (t < 0.005 ? t / 0.005 : std::exp(-(t - 0.005) / 0.09));
            std::size_t k = (s + i) % length_;
            duck_[k] = std::min(duck_[k], g);
        }
    }

    // Sums the buses into the finished loop, peak-normalised.
    Buffer mixdown(double echoBeats, double echoFeedback, double echoLevel, double verbSize, double verbLevel,
                   double peak) const {
        Buffer out(length_, 0.0);
        std::size_t d = static_cast<std::size_t>(std::llround(echoBeats * spb_));
        std::vector<double> line(d, 0.0);
        std::size_t pos = 0;
        synth::OnePoleLP echoTone;
        synth::OnePoleHP echoLow;
        synth::Reverb verb(kRate, verbSize, 0.5);
        synth::OnePoleHP verbLow, master;
        for (std::size_t i = 0; i < 2 * length_; ++i) {
            std::size_t k = i % length_;
            double e = line[pos];
            line[pos] = echoSend[k] + echoLow.process(echoTone.process(e, 3200.0, kRate), 150.0, kRate) * echoFeedback;
            pos = (pos + 1) % d;
            double r = verb.process(verbLow.process(verbSend[k] + 0.5 * e, 250.0, kRate));
            double x = dry[k] + ducked[k] * duck_[k] + echoLevel * e + verbLevel * r;
            x = master.process(x, 28.0, kRate);
            if (i >= length_) out[k] = x;
        }
        double m = 0.0;
        for (double x : out) m = std::max(m, std::fabs(x));
        // Normalise, then round off the few loudest peaks instead of scaling the whole mix down for them.
        double g = m > 0.0 ? 1.15 / m : 0.0;
        for (double& x : out) x = std::tanh(x * g);
        synth::normalizePeak(out, peak);
        return out;
    }

private:
    double spb_;
    std::size_t length_;

public:
    Buffer dry, ducked, echoSend, verbSend;

private:
    Buffer duck_;
};

}  // namespace music
