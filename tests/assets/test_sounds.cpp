// The embedded sound effects: well-formed 16-bit mono WAV files of the sizes the mixer is given,
// clean at both ends, audible and unclipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "sound/sound.h"

namespace {

struct Expected {
    EmbeddedFile file;
    int rate;
    std::size_t bytes;
};

const Expected kEffects[] = {
    {Sample01WavFile(), 22050, 86676},  {Sample02WavFile(), 22050, 121788},
    {Sample03WavFile(), 22050, 79060},  {Sample04WavFile(), 22050, 88860},
    {Sample05WavFile(), 22050, 13932},  {Sample06WavFile(), 22050, 55196},
    {Sample07WavFile(), 22050, 23900},  {Sample08WavFile(), 22050, 132764},
    {Sample09WavFile(), 44100, 101814}, {Sample10WavFile(), 44100, 34870},
    {Sample11WavFile(), 44100, 9734},   {Sample12WavFile(), 44100, 142716},
    {Sample13WavFile(), 22050, 7382},
};

std::uint32_t u32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t u16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

std::vector<double> pcm(const EmbeddedFile& f) {
    std::vector<double> x;
    for (std::size_t i = 44; i + 1 < f.size; i += 2) x.push_back(static_cast<std::int16_t>(u16(f.data + i)) / 32768.0);
    return x;
}

double rms(const std::vector<double>& x, std::size_t from, std::size_t to) {
    double s = 0.0;
    for (std::size_t i = from; i < to; ++i) s += x[i] * x[i];
    return to > from ? std::sqrt(s / static_cast<double>(to - from)) : 0.0;
}

class SoundEffect : public ::testing::TestWithParam<int> {
protected:
    const Expected& e() const { return kEffects[GetParam()]; }
};

TEST_P(SoundEffect, HeaderIsCanonicalPcmMono16Bit) {
    const EmbeddedFile& f = e().file;
    ASSERT_EQ(f.size, e().bytes);
    const unsigned char* d = f.data;
    EXPECT_EQ(0, std::memcmp(d, "RIFF", 4));
    EXPECT_EQ(u32(d + 4), f.size - 8);
    EXPECT_EQ(0, std::memcmp(d + 8, "WAVE", 4));
    EXPECT_EQ(0, std::memcmp(d + 12, "fmt ", 4));
    EXPECT_EQ(u32(d + 16), 16u);
    EXPECT_EQ(u16(d + 20), 1);  // PCM
    EXPECT_EQ(u16(d + 22), 1);  // mono
    EXPECT_EQ(u32(d + 24), static_cast<std::uint32_t>(e().rate));
    EXPECT_EQ(u32(d + 28), static_cast<std::uint32_t>(e().rate * 2));
    EXPECT_EQ(u16(d + 32), 2);
    EXPECT_EQ(u16(d + 34), 16);
    EXPECT_EQ(0, std::memcmp(d + 36, "data", 4));
    EXPECT_EQ(u32(d + 40), f.size - 44);
}

TEST_P(SoundEffect, IsAudibleWithoutClipping) {
    std::vector<double> x = pcm(e().file);
    double peak = 0.0, mean = 0.0;
    for (double v : x) {
        peak = std::max(peak, std::fabs(v));
        mean += v;
    }
    mean /= static_cast<double>(x.size());
    EXPECT_LT(peak, 0.9);
    EXPECT_GT(peak, 0.2);
    EXPECT_GT(rms(x, 0, x.size()), 0.01);  // about -40 dBFS
    EXPECT_LT(std::fabs(mean), 0.01) << "DC offset";
}

TEST_P(SoundEffect, StartsAndEndsOnSilenceWithoutClicks) {
    std::vector<double> x = pcm(e().file);
    ASSERT_GT(x.size(), 100u);
    EXPECT_LT(std::fabs(x.front()), 0.005);
    EXPECT_LT(std::fabs(x.back()), 0.005);
    // The closing stretch must be a dying tail, well below the loudest part, not a cut-off sound.
    std::size_t w = std::max<std::size_t>(x.size() / 20, 32);
    double loudest = 0.0;
    for (std::size_t i = 0; i + w <= x.size(); i += w / 2) loudest = std::max(loudest, rms(x, i, i + w));
    EXPECT_LT(rms(x, x.size() - w, x.size()), loudest * 0.5);
    // No sample-to-sample jump near the ends larger than the sound makes anywhere else.
    double biggest = 0.0;
    for (std::size_t i = 1; i < x.size(); ++i) biggest = std::max(biggest, std::fabs(x[i] - x[i - 1]));
    for (std::size_t i = 1; i < 8; ++i) {
        EXPECT_LT(std::fabs(x[i] - x[i - 1]), 0.5 * biggest + 0.002);
        EXPECT_LT(std::fabs(x[x.size() - i] - x[x.size() - i - 1]), 0.5 * biggest + 0.002);
    }
}

INSTANTIATE_TEST_SUITE_P(AllEffects, SoundEffect, ::testing::Range(0, 13),
                         [](const ::testing::TestParamInfo<int>& i) {
                             char name[32];
                             std::snprintf(name, sizeof name, "Sample%02d", i.param + 1);
                             return std::string(name);
                         });

}  // namespace
