#pragma once
// Frame-time samples and the figures the tables print from them.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

struct FrameStats {
    std::vector<double> ms;  // one sample a frame, in milliseconds
    long long worstAt = -1;  // index of the worst sample

    void Reserve(size_t n) { ms.reserve(n); }
    void Add(double sampleMs) {
        if (ms.empty() || sampleMs > ms[static_cast<size_t>(worstAt)]) worstAt = static_cast<long long>(ms.size());
        ms.push_back(sampleMs);
    }
    size_t Count() const { return ms.size(); }
    double Mean() const {
        double sum = 0;
        for (double v : ms) sum += v;
        return ms.empty() ? 0 : sum / static_cast<double>(ms.size());
    }
    double Worst() const { return ms.empty() ? 0 : ms[static_cast<size_t>(worstAt)]; }
    // Nearest-rank percentile, p in 0..100.
    double Percentile(double p) const {
        if (ms.empty()) return 0;
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        size_t rank = static_cast<size_t>(p / 100.0 * static_cast<double>(sorted.size()) + 0.999999);
        rank = std::clamp<size_t>(rank, 1, sorted.size());
        return sorted[rank - 1];
    }
};

// Milliseconds between two steady_clock readings.
inline double Ms(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}
