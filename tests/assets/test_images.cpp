// The embedded pictures: file layouts a loader depends on, and the properties of the glow images
// that the renderer relies on (exact centre rows, roundness, clean band edges).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "images/images.h"

namespace {

unsigned U16(const unsigned char* p) { return p[0] | (p[1] << 8); }
std::uint32_t U32(const unsigned char* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
std::uint32_t U32BE(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | std::uint32_t(p[3]);
}

// A decoded TGA as grey values, row 0 at the top of the picture.
struct Tga {
    int type = 0, mapType = 0, mapFirst = 0, mapLength = 0, mapBits = 0;
    int width = 0, height = 0, bpp = 0, descriptor = 0;
    bool paletteGrey = true;
    bool pixelsGrey = true;
    std::vector<int> grey;
    int at(int x, int y) const { return grey[std::size_t(y) * width + x]; }
};

Tga ReadTga(EmbeddedFile f) {
    Tga t;
    const unsigned char* p = f.data;
    t.mapType = p[1];
    t.type = p[2];
    t.mapFirst = int(U16(p + 3));
    t.mapLength = int(U16(p + 5));
    t.mapBits = p[7];
    t.width = int(U16(p + 12));
    t.height = int(U16(p + 14));
    t.bpp = p[16];
    t.descriptor = p[17];
    std::size_t pos = 18 + p[0];
    std::vector<int> palette;
    if (t.mapType == 1) {
        const int entry = t.mapBits / 8;
        for (int i = 0; i < t.mapLength; ++i, pos += std::size_t(entry)) {
            const unsigned char* e = p + pos;
            if (!(e[0] == e[1] && e[1] == e[2])) t.paletteGrey = false;
            palette.push_back(e[0]);
        }
    }
    t.grey.assign(std::size_t(t.width) * t.height, 0);
    const bool topDown = (t.descriptor & 0x20) != 0;
    for (int row = 0; row < t.height; ++row) {
        int y = topDown ? row : t.height - 1 - row;
        for (int x = 0; x < t.width; ++x) {
            int v = 0;
            if (t.type == 1) {
                v = palette.at(std::size_t(p[pos] - t.mapFirst));
                pos += 1;
            } else {
                const int n = t.bpp / 8;
                if (!(p[pos] == p[pos + 1] && p[pos + 1] == p[pos + 2])) t.pixelsGrey = false;
                v = p[pos];
                pos += std::size_t(n);
            }
            t.grey[std::size_t(y) * t.width + x] = v;
        }
    }
    return t;
}

void ExpectTgaFooter(EmbeddedFile f) {
    ASSERT_GE(f.size, 26u + 18u);
    const unsigned char* foot = f.data + f.size - 26;
    EXPECT_EQ(U32(foot), 0u) << "extension offset";
    EXPECT_EQ(U32(foot + 4), 0u) << "developer directory offset";
    EXPECT_EQ(0, std::memcmp(foot + 8, "TRUEVISION-XFILE.\0", 18));
}

// Checks the four mirror images and the transpose of a square picture.
void ExpectFullySymmetric(const Tga& t) {
    const int n = t.width;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            ASSERT_EQ(t.at(x, y), t.at(n - 1 - x, y)) << x << "," << y;
            ASSERT_EQ(t.at(x, y), t.at(x, n - 1 - y)) << x << "," << y;
            ASSERT_EQ(t.at(x, y), t.at(y, x)) << x << "," << y;
        }
}

// Round: pixels at the same distance from the centre match, and brightness never rises outward.
void ExpectRound(const Tga& t) {
    const int n = t.width;
    std::vector<std::pair<int, int>> byDistance;  // (squared doubled distance, value)
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
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

TEST(EmbeddedImages, TgaLayouts) {
    // Glow dot and title are colour mapped through a grey palette, the line is grey true colour; all
    // bottom-left origin, no alpha bits, and a version 2 footer.
    struct Layout {
        EmbeddedFile file;
        std::size_t size;
        int type, width, height, bpp;
    };
    for (const Layout& l : {Layout{GlowDotTgaFile(), 1068, 1, 16, 16, 8}, Layout{LineTgaFile(), 3116, 2, 32, 32, 24},
                            Layout{TitleLogoTgaFile(), 131884, 1, 256, 512, 8}}) {
        SCOPED_TRACE(l.width);
        ASSERT_EQ(l.file.size, l.size);
        Tga t = ReadTga(l.file);
        EXPECT_EQ(t.type, l.type);
        EXPECT_EQ(t.mapType, l.type == 1 ? 1 : 0);
        if (l.type == 1) {
            EXPECT_EQ(t.mapFirst, 0);
            EXPECT_EQ(t.mapLength, 256);
            EXPECT_EQ(t.mapBits, 24);
            EXPECT_TRUE(t.paletteGrey);
        } else {
            EXPECT_TRUE(t.pixelsGrey);
        }
        EXPECT_EQ(t.width, l.width);
        EXPECT_EQ(t.height, l.height);
        EXPECT_EQ(t.bpp, l.bpp);
        EXPECT_EQ(t.descriptor & 0x30, 0) << "origin must be bottom-left";
        EXPECT_EQ(t.descriptor & 0x0F, 0) << "no alpha bits";
        ExpectTgaFooter(l.file);
    }
}

TEST(EmbeddedImages, GlowDotCentreRowsAndCore) {
    Tga t = ReadTga(GlowDotTgaFile());
    const std::array<int, 16> row = {0, 7, 29, 51, 70, 88, 130, 255, 255, 130, 88, 70, 51, 29, 7, 0};
    for (int y : {7, 8})
        for (int x = 0; x < 16; ++x) EXPECT_EQ(t.at(x, y), row[std::size_t(x)]) << "x " << x << " y " << y;
    int white = 0;
    for (int v : t.grey) white += v == 255;
    EXPECT_EQ(white, 4) << "the core is exactly 2x2";
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(t.at(i, 0), 0);
        EXPECT_EQ(t.at(i, 15), 0);
        EXPECT_EQ(t.at(0, i), 0);
        EXPECT_EQ(t.at(15, i), 0);
    }
    ExpectFullySymmetric(t);
    ExpectRound(t);
}

TEST(EmbeddedImages, LineCentreRowAndColumn) {
    Tga t = ReadTga(LineTgaFile());
    const std::array<int, 32> row = {0,  0,  0,  2,  6,  10, 12, 16, 18, 22, 24, 26, 28, 29, 31, 255,
                                     255, 31, 29, 28, 26, 24, 22, 18, 16, 12, 10, 6,  2,  0,  0,  0};
    for (int c : {15, 16})
        for (int i = 0; i < 32; ++i) {
            EXPECT_EQ(t.at(i, c), row[std::size_t(i)]) << "row " << c << " x " << i;
            EXPECT_EQ(t.at(c, i), row[std::size_t(i)]) << "column " << c << " y " << i;
        }
    int white = 0;
    for (int v : t.grey) white += v == 255;
    EXPECT_EQ(white, 4) << "the core is exactly 2x2";
    ExpectFullySymmetric(t);
    ExpectRound(t);
}

TEST(EmbeddedImages, TitleLogoBandsDoNotBleedIntoEachOther) {
    // The bands are sampled with bilinear filtering, so their first and last rows stay dark.
    Tga t = ReadTga(TitleLogoTgaFile());
    for (int band = 0; band < 4; ++band)
        for (int r : {0, 1, 126, 127})
            for (int x = 0; x < 256; ++x) ASSERT_LE(t.at(x, band * 128 + r), 8) << "band " << band << " row " << r;
}

TEST(EmbeddedImages, TitleLogoSharpBandIsDarkLettersOnALightBox) {
    Tga t = ReadTga(TitleLogoTgaFile());
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
    // The glows light up where the sharp band has its dark letters.
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
    }
}

TEST(EmbeddedImages, TitleLogoGlowsGetSofterBandByBand) {
    Tga t = ReadTga(TitleLogoTgaFile());
    auto litPixels = [&](int band) {
        int n = 0;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 256; ++x) n += t.at(x, band * 128 + y) > 4;
        return n;
    };
    EXPECT_LT(litPixels(1), litPixels(2));
    EXPECT_LT(litPixels(2), litPixels(3));
}

// BMP header fields shared by both bitmaps.
struct Bmp {
    std::uint32_t fileSize, offset, headerSize, compression, imageSize, colours;
    std::int32_t width, height;
    unsigned planes, bpp;
    const unsigned char* palette;
    const unsigned char* pixels;
    std::uint32_t stride;
    // Palette index at (x, y), y counted from the top of the picture (rows are stored bottom-up).
    int index(int x, int y) const { return pixels[std::size_t(height - 1 - y) * stride + std::size_t(x)]; }
    int grey(int x, int y) const { return palette[4 * index(x, y)]; }
};

Bmp ReadBmp(EmbeddedFile f) {
    const unsigned char* p = f.data;
    Bmp b{};
    b.fileSize = U32(p + 2);
    b.offset = U32(p + 10);
    b.headerSize = U32(p + 14);
    b.width = std::int32_t(U32(p + 18));
    b.height = std::int32_t(U32(p + 22));
    b.planes = U16(p + 26);
    b.bpp = U16(p + 28);
    b.compression = U32(p + 30);
    b.imageSize = U32(p + 34);
    b.colours = U32(p + 46);
    b.palette = p + 14 + b.headerSize;
    b.pixels = p + b.offset;
    b.stride = (std::uint32_t(std::max(b.width, 0)) + 3u) & ~3u;
    return b;
}

void ExpectPalettedBmp(EmbeddedFile f, const Bmp& b, int width, int height) {
    ASSERT_GE(f.size, 54u);
    EXPECT_EQ(f.data[0], 'B');
    EXPECT_EQ(f.data[1], 'M');
    EXPECT_EQ(b.fileSize, f.size);
    EXPECT_EQ(b.headerSize, 40u);
    EXPECT_EQ(b.width, width);
    EXPECT_EQ(b.height, height) << "positive height: bottom-up";
    EXPECT_EQ(b.planes, 1u);
    EXPECT_EQ(b.bpp, 8u);
    EXPECT_EQ(b.compression, 0u);
    EXPECT_EQ(b.offset, 14u + 40u + 4u * b.colours) << "pixels follow the palette";
    EXPECT_GE(f.size, b.offset + b.stride * std::uint32_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) ASSERT_LT(std::uint32_t(b.index(x, y)), b.colours) << x << "," << y;
}

TEST(EmbeddedImages, StudioLogoBmpLayout) {
    EmbeddedFile f = StudioLogoBmpFile();
    ASSERT_EQ(f.size, 16968u);
    Bmp b = ReadBmp(f);
    EXPECT_EQ(b.colours, 132u);
    ExpectPalettedBmp(f, b, 128, 128);
    for (std::uint32_t i = 0; i < b.colours; ++i) {
        const unsigned char* e = b.palette + 4 * i;
        EXPECT_TRUE(e[0] == e[1] && e[1] == e[2]) << "entry " << i;
    }
}

TEST(EmbeddedImages, StudioLogoIsAWhiteFrameOnBlack) {
    Bmp b = ReadBmp(StudioLogoBmpFile());
    // Corners outside the frame are black.
    for (auto [x, y] : {std::pair{0, 0}, {127, 0}, {0, 127}, {127, 127}}) EXPECT_EQ(b.grey(x, y), 0);
    // Walking in from each edge along the middle, the first bright pixel is the frame, near the
    // edge, and it is white.
    auto firstBright = [&](int x, int y, int dx, int dy) {
        for (int i = 0; i < 40; ++i, x += dx, y += dy)
            if (b.grey(x, y) > 200) return i;
        return -1;
    };
    for (auto [x, y, dx, dy] : {std::array{64, 0, 0, 1}, {64, 127, 0, -1}, {0, 64, 1, 0}, {127, 64, -1, 0}}) {
        int i = firstBright(x, y, dx, dy);
        EXPECT_GE(i, 1);
        EXPECT_LE(i, 12);
    }
    // Something is drawn inside the frame.
    int inside = 0;
    for (int y = 20; y < 108; ++y)
        for (int x = 20; x < 108; ++x) inside += b.grey(x, y) > 100;
    EXPECT_GT(inside, 200);
}

TEST(EmbeddedImages, LauncherBmpIs220x89Paletted) {
    EmbeddedFile f = LauncherBmpFile();
    Bmp b = ReadBmp(f);
    ASSERT_GE(b.colours, 2u);
    ASSERT_LE(b.colours, 256u);
    ExpectPalettedBmp(f, b, 220, 89);
    EXPECT_EQ(b.stride, 220u);
    // The banner is mostly dark with bright lettering.
    auto luminance = [&](int x, int y) {
        const unsigned char* e = b.palette + 4 * b.index(x, y);
        return (e[0] + e[1] + e[2]) / 3;
    };
    EXPECT_LT(luminance(0, 0), 40);
    EXPECT_LT(luminance(219, 0), 40);
    int bright = 0;
    for (int y = 0; y < 89; ++y)
        for (int x = 0; x < 220; ++x) bright += luminance(x, y) > 200;
    EXPECT_GT(bright, 300);
}

// PNG: chunks with valid CRCs, a correct IHDR, and zlib data that inflates (stored blocks) to the
// expected number of filtered rows.
std::uint32_t Crc32(const unsigned char* p, std::size_t n) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return ~c;
}

TEST(EmbeddedImages, IconPngStructure) {
    EmbeddedFile f = IconPngFile();
    ASSERT_GT(f.size, 8u + 25u + 12u);
    const unsigned char sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_EQ(0, std::memcmp(f.data, sig, 8));

    std::vector<std::string> types;
    std::vector<unsigned char> zdata;
    std::size_t pos = 8;
    const unsigned char* ihdr = nullptr;
    while (pos + 12 <= f.size) {
        std::uint32_t len = U32BE(f.data + pos);
        ASSERT_LE(pos + 12 + len, f.size);
        std::string type(reinterpret_cast<const char*>(f.data + pos + 4), 4);
        types.push_back(type);
        EXPECT_EQ(U32BE(f.data + pos + 8 + len), Crc32(f.data + pos + 4, len + 4)) << type;
        if (type == "IHDR") {
            ASSERT_EQ(len, 13u);
            ihdr = f.data + pos + 8;
        }
        if (type == "IDAT") zdata.insert(zdata.end(), f.data + pos + 8, f.data + pos + 8 + len);
        pos += 12 + len;
    }
    EXPECT_EQ(pos, f.size);
    ASSERT_FALSE(types.empty());
    EXPECT_EQ(types.front(), "IHDR");
    EXPECT_EQ(types.back(), "IEND");
    ASSERT_NE(ihdr, nullptr);
    EXPECT_EQ(U32BE(ihdr), 256u);
    EXPECT_EQ(U32BE(ihdr + 4), 256u);
    EXPECT_EQ(ihdr[8], 8) << "bit depth";
    EXPECT_EQ(ihdr[9], 6) << "RGBA";
    EXPECT_EQ(ihdr[10], 0);
    EXPECT_EQ(ihdr[11], 0);
    EXPECT_EQ(ihdr[12], 0);

    // Inflate the stored blocks and check the Adler-32 and the pixel count.
    ASSERT_GE(zdata.size(), 6u);
    EXPECT_EQ(((zdata[0] << 8) | zdata[1]) % 31, 0) << "zlib header check";
    std::vector<unsigned char> raw;
    std::size_t z = 2;
    bool last = false;
    while (!last) {
        ASSERT_LT(z + 5, zdata.size());
        last = zdata[z] & 1;
        ASSERT_EQ((zdata[z] >> 1) & 3, 0) << "stored block expected";
        unsigned len = U16(&zdata[z + 1]), nlen = U16(&zdata[z + 3]);
        ASSERT_EQ(len ^ 0xFFFFu, nlen);
        ASSERT_LE(z + 5 + len, zdata.size());
        raw.insert(raw.end(), zdata.begin() + std::ptrdiff_t(z + 5), zdata.begin() + std::ptrdiff_t(z + 5 + len));
        z += 5 + len;
    }
    ASSERT_EQ(raw.size(), 256u * (1 + 256 * 4));
    std::uint32_t a = 1, bsum = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521u;
        bsum = (bsum + a) % 65521u;
    }
    ASSERT_EQ(z + 4, zdata.size());
    EXPECT_EQ(U32BE(&zdata[z]), (bsum << 16) | a);
    for (int y = 0; y < 256; ++y) ASSERT_EQ(raw[std::size_t(y) * 1025], 0) << "row filter";
    auto alpha = [&](int x, int y) { return raw[std::size_t(y) * 1025 + 1 + std::size_t(x) * 4 + 3]; };
    EXPECT_EQ(alpha(0, 0), 0) << "transparent corner";
    EXPECT_EQ(alpha(128, 128), 255) << "opaque middle";
}

}  // namespace
