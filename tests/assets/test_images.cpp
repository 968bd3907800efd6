// The generated pictures, read by the decoder the game itself loads them with: their sizes, and the
// properties of the glow images that the renderer relies on (exact centre rows, roundness, clean band
// edges).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "images/images.h"
#include "platform/gfx/image_decode.h"

namespace {

// Grey values (the red channel), row 0 at the top of the picture.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;
    int at(int x, int y) const { return rgba[4 * (std::size_t(y) * width + x)]; }
    int luminance(int x, int y) const {
        const unsigned char* p = &rgba[4 * (std::size_t(y) * width + x)];
        return (p[0] + p[1] + p[2]) / 3;
    }
};

Picture Decode(EmbeddedFile f) {
    Picture p;
    EXPECT_TRUE(plat::DecodeImage(f.data, f.size, p.rgba, p.width, p.height));
    return p;
}

// The four mirror images and the transpose match, pixels at the same distance from the centre match,
// and brightness never rises outward.
void ExpectRoundAndSymmetric(const Picture& t) {
    const int n = t.width;
    std::vector<std::pair<int, int>> byDistance;  // (squared doubled distance, value)
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            ASSERT_EQ(t.at(x, y), t.at(n - 1 - x, y)) << x << "," << y;
            ASSERT_EQ(t.at(x, y), t.at(x, n - 1 - y)) << x << "," << y;
            ASSERT_EQ(t.at(x, y), t.at(y, x)) << x << "," << y;
            int dx = 2 * x + 1 - n, dy = 2 * y + 1 - n;
            byDistance.push_back({dx * dx + dy * dy, t.at(x, y)});
        }
    std::sort(byDistance.begin(), byDistance.end(),
              [](auto a, auto b) { return a.first != b.first ? a.first < b.first : a.second > b.second; });
    for (std::size_t i = 1; i < byDistance.size(); ++i) {
        if (byDistance[i].first == byDistance[i - 1].first) {
            EXPECT_EQ(byDistance[i].second, byDistance[i - 1].second) << "distance^2*4 " << byDistance[i].first;
        }
        EXPECT_LE(byDistance[i].second, byDistance[i - 1].second) << "distance^2*4 " << byDistance[i].first;
    }
}

int CountWhite(const Picture& t) {
    int white = 0;
    for (int y = 0; y < t.height; ++y)
        for (int x = 0; x < t.width; ++x) white += t.at(x, y) == 255;
    return white;
}

TEST(EmbeddedImages, EveryPictureDecodesAtItsSize) {
    struct Size {
        EmbeddedFile file;
        int width, height;
    };
    for (const Size& s : {Size{GlowDotTgaFile(), 16, 16}, Size{LineTgaFile(), 32, 32},
                          Size{TitleLogoTgaFile(), 256, 512}, Size{StudioLogoBmpFile(), 128, 128},
                          Size{LauncherBmpFile(), 220, 89}, Size{IconPngFile(), 256, 256}}) {
        Picture p = Decode(s.file);
        EXPECT_EQ(p.width, s.width);
        EXPECT_EQ(p.height, s.height);
    }
}

TEST(EmbeddedImages, GlowDotAndLineHaveExactCentreRowsAndA2x2Core) {
    Picture dot = Decode(GlowDotTgaFile());
    const std::array<int, 16> dotRow = {0, 7, 29, 51, 70, 88, 130, 255, 255, 130, 88, 70, 51, 29, 7, 0};
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(dot.at(x, 7), dotRow[x]) << "x " << x;
        EXPECT_EQ(dot.at(x, 0), 0) << "the edge is black";
    }
    EXPECT_EQ(CountWhite(dot), 4);
    ExpectRoundAndSymmetric(dot);

    Picture line = Decode(LineTgaFile());
    const std::array<int, 32> lineRow = {0,  0,  0,  2,  6,  10, 12, 16, 18, 22, 24, 26, 28, 29, 31, 255,
                                         255, 31, 29, 28, 26, 24, 22, 18, 16, 12, 10, 6,  2,  0,  0,  0};
    for (int x = 0; x < 32; ++x) EXPECT_EQ(line.at(x, 16), lineRow[x]) << "x " << x;
    EXPECT_EQ(CountWhite(line), 4);
    ExpectRoundAndSymmetric(line);
}

TEST(EmbeddedImages, TitleLogoIsDarkLettersOnALightBoxWithSofterGlowsBandByBand) {
    Picture t = Decode(TitleLogoTgaFile());
    // The bands are sampled with bilinear filtering, so their first and last rows stay dark.
    for (int band = 0; band < 4; ++band)
        for (int r : {0, 1, 126, 127})
            for (int x = 0; x < 256; ++x) ASSERT_LE(t.at(x, band * 128 + r), 8) << "band " << band << " row " << r;
    // Along the middle row of band 0, the box gives a light run broken by dark letter strokes.
    int light = 0, dark = 0, transitions = 0;
    bool wasDark = false;
    for (int x = 24; x < 232; ++x) {
        int v = t.at(x, 64);
        light += v >= 80;
        bool isDark = v < 40;
        dark += isDark;
        if (x > 24 && isDark != wasDark) ++transitions;
        wasDark = isDark;
    }
    EXPECT_GT(light, 40);
    EXPECT_GT(dark, 40);
    EXPECT_GE(transitions, 10) << "several letters cross the middle row";
    // The glows light up where the sharp band has its letters, each band softer than the last.
    int lastLit = 0;
    for (int band = 1; band < 4; ++band) {
        long onLetters = 0, onBox = 0, nLetters = 0, nBox = 0;
        for (int x = 24; x < 232; ++x) {
            int sharp = t.at(x, 64), glow = t.at(x, band * 128 + 64);
            if (sharp < 40) onLetters += glow, ++nLetters;
            if (sharp >= 80) onBox += glow, ++nBox;
        }
        ASSERT_GT(nLetters, 0);
        ASSERT_GT(nBox, 0);
        EXPECT_GT(onLetters / nLetters, onBox / nBox) << "band " << band;
        int lit = 0;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 256; ++x) lit += t.at(x, band * 128 + y) > 4;
        EXPECT_GT(lit, lastLit) << "band " << band;
        lastLit = lit;
    }
}

TEST(EmbeddedImages, StudioLogoIsAWhiteFrameOnBlackAndTheBannerBrightLettersOnDark) {
    Picture logo = Decode(StudioLogoBmpFile());
    for (auto [x, y] : {std::pair{0, 0}, {127, 0}, {0, 127}, {127, 127}}) EXPECT_EQ(logo.at(x, y), 0);
    // Walking in from each edge along the middle, the first bright pixel is the frame, near the edge.
    for (auto [x, y, dx, dy] : {std::array{64, 0, 0, 1}, {64, 127, 0, -1}, {0, 64, 1, 0}, {127, 64, -1, 0}}) {
        int i = 0;
        while (i < 40 && logo.at(x + i * dx, y + i * dy) <= 200) ++i;
        EXPECT_GE(i, 1);
        EXPECT_LE(i, 12);
    }
    int inside = 0;
    for (int y = 20; y < 108; ++y)
        for (int x = 20; x < 108; ++x) inside += logo.at(x, y) > 100;
    EXPECT_GT(inside, 200) << "something is drawn inside the frame";

    Picture banner = Decode(LauncherBmpFile());
    EXPECT_LT(banner.luminance(0, 0), 40);
    EXPECT_LT(banner.luminance(219, 0), 40);
    int bright = 0;
    for (int y = 0; y < 89; ++y)
        for (int x = 0; x < 220; ++x) bright += banner.luminance(x, y) > 200;
    EXPECT_GT(bright, 300);
}

}  // namespace
