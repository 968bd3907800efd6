// The embedded FontRecord: header, glyph table (positions and advance widths that the text
// layout depends on) and the atlas pixels around and inside each glyph.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "font/font.h"

namespace {

constexpr int kTW = 256, kTH = 256, kH = 35;
constexpr int kRowTops[7] = {1, 37, 73, 109, 145, 181, 217};

std::int32_t I32(const unsigned char* p) {
    return std::int32_t(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                        (std::uint32_t(p[3]) << 24));
}

struct Glyph {
    int x, y, w;
};

struct Font {
    const unsigned char* data;
    Glyph glyph(int c) const {
        const unsigned char* e = data + 16 + 12 * c;
        return {I32(e), I32(e + 4), I32(e + 8)};
    }
    int px(int x, int y) const { return data[16 + 256 * 12 + std::size_t(y) * kTW + std::size_t(x)]; }
    // Pixel (x, y) of glyph c's cell.
    int cell(int c, int x, int y) const {
        Glyph g = glyph(c);
        return px(g.x + x, g.y + y);
    }
};

Font TheFont() { return {FontRecordBin}; }

TEST(EmbeddedFont, HighCodesPointOutsideTheAtlas) {
    Font f = TheFont();
    for (int c = 127; c < 256; ++c) {
        Glyph g = f.glyph(c);
        bool outside = g.y + kH > kTH || g.x >= kTW || g.x + g.w > kTW || g.y < 0 || g.x < 0;
        EXPECT_TRUE(outside) << c;
    }
}

TEST(EmbeddedFont, GlyphsSitInRowsInsideTheAtlasWithoutOverlapping) {
    Font f = TheFont();
    std::vector<Glyph> rows[7];
    for (int c = 33; c <= 126; ++c) {
        Glyph g = f.glyph(c);
        const int* row = std::find(std::begin(kRowTops), std::end(kRowTops), g.y);
        ASSERT_NE(row, std::end(kRowTops)) << "'" << char(c) << "' top " << g.y;
        EXPECT_GE(g.x, 0);
        EXPECT_LE(g.x + g.w, kTW) << "'" << char(c) << "'";
        rows[row - kRowTops].push_back(g);
    }
    for (auto& row : rows) {
        std::sort(row.begin(), row.end(), [](Glyph a, Glyph b) { return a.x < b.x; });
        for (std::size_t i = 1; i < row.size(); ++i)
            EXPECT_GE(row[i].x, row[i - 1].x + row[i - 1].w + 1) << "glyphs one pixel apart at x " << row[i].x;
    }
}

TEST(EmbeddedFont, AtlasIsBlackOutsideTheGlyphCells) {
    // Text is sampled with bilinear filtering; anything outside a cell would bleed into its
    // neighbours.
    Font f = TheFont();
    std::vector<bool> used(std::size_t(kTW) * kTH, false);
    for (int c = 33; c <= 126; ++c) {
        Glyph g = f.glyph(c);
        for (int y = g.y; y < g.y + kH; ++y)
            for (int x = g.x; x < g.x + g.w; ++x) used[std::size_t(y) * kTW + std::size_t(x)] = true;
    }
    int stray = 0;
    for (int y = 0; y < kTH; ++y)
        for (int x = 0; x < kTW; ++x)
            if (!used[std::size_t(y) * kTW + std::size_t(x)] && f.px(x, y) != 0) ++stray;
    EXPECT_EQ(stray, 0);
}

TEST(EmbeddedFont, EveryGlyphHasSolidInkAwayFromTheCellEdges) {
    Font f = TheFont();
    for (int c = 33; c <= 126; ++c) {
        Glyph g = f.glyph(c);
        int solid = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < g.w; ++x) solid += f.cell(c, x, y) >= 200;
        EXPECT_GE(solid, 8) << "'" << char(c) << "'";
        // The top row is blended in by the texture coordinates' small vertical offset; the last
        // row touches the gap above the next row of glyphs.
        for (int x = 0; x < g.w; ++x) {
            EXPECT_EQ(f.cell(c, x, 0), 0) << "'" << char(c) << "' top row";
            EXPECT_EQ(f.cell(c, x, kH - 1), 0) << "'" << char(c) << "' bottom row";
        }
    }
}

// First and last rows holding ink, within the cell.
std::pair<int, int> InkRows(const Font& f, int c) {
    int top = -1, bottom = -1;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < f.glyph(c).w; ++x)
            if (f.cell(c, x, y) >= 128) {
                if (top < 0) top = y;
                bottom = y;
            }
    return {top, bottom};
}

TEST(EmbeddedFont, LowerCaseIsSmallCapitalsOnTheSameBaseline) {
    Font f = TheFont();
    auto [capTop, capBottom] = InkRows(f, 'A');
    for (int c = 'A'; c <= 'Z'; ++c) {
        auto [top, bottom] = InkRows(f, c);
        auto [lowTop, lowBottom] = InkRows(f, c - 'A' + 'a');
        EXPECT_EQ(top, capTop) << char(c);
        EXPECT_GE(bottom, capBottom) << char(c);  // Q's tail may dip a little
        EXPECT_GT(lowTop, top + 4) << char(c - 'A' + 'a') << " is shorter than " << char(c);
        EXPECT_GE(lowBottom, capBottom) << char(c - 'A' + 'a') << " sits on the baseline";
    }
}

// Number of pixels where one glyph is clearly lit and the other clearly not.
int Difference(const Font& f, int a, int b) {
    int d = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < f.glyph(a).w; ++x) d += std::abs(f.cell(a, x, y) - f.cell(b, x, y)) >= 160;
    return d;
}

TEST(EmbeddedFont, LookAlikesAreDistinct) {
    Font f = TheFont();
    const char* pairs[] = {"0O", "1I", "1l", "Il", "5S", "2Z", "8B", "6G", "|I", "|l", ":;", ".,", "'`", "O0"};
    for (const char* p : pairs) {
        ASSERT_EQ(f.glyph(p[0]).w, f.glyph(p[1]).w) << p;
        // At least the area of a stroke-sized block must differ.
        EXPECT_GE(Difference(f, p[0], p[1]), 12) << p;
    }
}

}  // namespace
