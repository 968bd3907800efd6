// The embedded music loops: Ogg Vorbis mono at 22050 Hz, of the intended lengths, and seamless
// when the player wraps from the last sample back to the first.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "music/music.h"

namespace {

struct Memory {
    const unsigned char* data;
    std::size_t size, pos;
};

std::size_t readMem(void* dst, std::size_t size, std::size_t count, void* src) {
    auto* m = static_cast<Memory*>(src);
    std::size_t n = std::min(size * count, m->size - m->pos);
    std::memcpy(dst, m->data + m->pos, n);
    m->pos += n;
    return size ? n / size : 0;
}

int seekMem(void* src, ogg_int64_t offset, int whence) {
    auto* m = static_cast<Memory*>(src);
    ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<ogg_int64_t>(m->pos)
                                                                   : static_cast<ogg_int64_t>(m->size);
    ogg_int64_t to = base + offset;
    if (to < 0 || to > static_cast<ogg_int64_t>(m->size)) return -1;
    m->pos = static_cast<std::size_t>(to);
    return 0;
}

long tellMem(void* src) { return static_cast<long>(static_cast<Memory*>(src)->pos); }

struct Decoded {
    int channels = 0;
    long rate = 0;
    ogg_int64_t declared = 0;
    std::vector<float> samples;
};

Decoded decode(const EmbeddedFile& f) {
    Decoded d;
    Memory m{f.data, f.size, 0};
    OggVorbis_File vf;
    ov_callbacks cb{readMem, seekMem, nullptr, tellMem};
    if (ov_open_callbacks(&m, &vf, nullptr, 0, cb) != 0) return d;
    vorbis_info* vi = ov_info(&vf, -1);
    d.channels = vi->channels;
    d.rate = vi->rate;
    d.declared = ov_pcm_total(&vf, -1);
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n <= 0) break;
        d.samples.insert(d.samples.end(), pcm[0], pcm[0] + n);
    }
    ov_clear(&vf);
    return d;
}

double rms(const std::vector<float>& x, std::size_t from, std::size_t to) {
    double s = 0.0;
    for (std::size_t i = from; i < to; ++i) s += double(x[i]) * x[i];
    return std::sqrt(s / static_cast<double>(to - from));
}

struct Track {
    EmbeddedFile file;
    double seconds;
};

class MusicTrack : public ::testing::TestWithParam<Track> {
protected:
    static const Decoded& decoded(int which) {
        static const Decoded tracks[2] = {decode(Track0OggFile()), decode(Track1OggFile())};
        return tracks[which];
    }
    const Decoded& d() const { return decoded(GetParam().seconds > 45.0 ? 0 : 1); }
};

TEST_P(MusicTrack, IsMonoVorbisAt22050Hz) {
    const EmbeddedFile& f = GetParam().file;
    ASSERT_GT(f.size, 4u);
    EXPECT_EQ(0, std::memcmp(f.data, "OggS", 4));
    EXPECT_EQ(d().channels, 1);
    EXPECT_EQ(d().rate, 22050);
    EXPECT_GT(f.size, 100u * 1024);
    EXPECT_LT(f.size, 450u * 1024);
}

TEST_P(MusicTrack, DecodesToTheWholeLoopAndNoMore) {
    ASSERT_FALSE(d().samples.empty());
    EXPECT_EQ(static_cast<ogg_int64_t>(d().samples.size()), d().declared);
    double seconds = static_cast<double>(d().samples.size()) / 22050.0;
    EXPECT_NEAR(seconds, GetParam().seconds, GetParam().seconds * 0.03);
}

TEST_P(MusicTrack, IsLoudEnoughButNeverClips) {
    const std::vector<float>& x = d().samples;
    ASSERT_FALSE(x.empty());
    float peak = 0.0f;
    for (float v : x) peak = std::max(peak, std::fabs(v));
    EXPECT_LT(peak, 0.98f);
    double level = rms(x, 0, x.size());
    EXPECT_GT(level, 0.05);  // about -26 dBFS
    EXPECT_LT(level, 0.35);
    // Music throughout: no second of the loop drops out.
    for (std::size_t i = 0; i + 22050 <= x.size(); i += 22050) EXPECT_GT(rms(x, i, i + 22050), 0.01) << "at " << i / 22050 << " s";
}

TEST_P(MusicTrack, WrapsSeamlessly) {
    const std::vector<float>& x = d().samples;
    ASSERT_GT(x.size(), 44100u);
    std::vector<float> steps(x.size() - 1);
    for (std::size_t i = 0; i + 1 < x.size(); ++i) steps[i] = std::fabs(x[i + 1] - x[i]);
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
    float p99 = steps[steps.size() * 99 / 100];
    EXPECT_LE(std::fabs(x.front() - x.back()), p99);
    // Level carries across the wrap too: neither a fade-out at the end nor a fade-in at the start.
    const std::size_t w = 2205;
    double end = rms(x, x.size() - w, x.size()), start = rms(x, 0, w), overall = rms(x, 0, x.size());
    EXPECT_GT(end, overall * 0.3);
    EXPECT_GT(start, overall * 0.3);
    EXPECT_LT(std::max(start, end) / std::min(start, end), 3.0);
}

INSTANTIATE_TEST_SUITE_P(BothTracks, MusicTrack,
                         ::testing::Values(Track{Track0OggFile(), 60.0}, Track{Track1OggFile(), 30.0}),
                         [](const ::testing::TestParamInfo<Track>& i) {
                             return std::string(i.param.seconds > 45.0 ? "LevelTheme" : "BossTheme");
                         });

}  // namespace
