// gen_font OUTFILE
//
// Draws the game's bitmap font (a blocky sans-serif; lower case as small capitals) and writes the
// FontRecord: "FPSP", atlas width, atlas height, glyph height, 256 glyph entries (x, y, width),
// then the 8-bit atlas, top row first. Everything is little-endian and deterministic.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "strokes.h"

namespace {

using art::Region;
using art::Vec;

constexpr int kAtlasW = 256;
constexpr int kAtlasH = 256;
constexpr int kGlyphH = 35;
constexpr int kRowTops[7] = {1, 37, 73, 109, 145, 181, 217};

// Advance widths in atlas pixels. Text is laid out with no extra spacing, so these include the
// side bearings.
int GlyphWidth(int c) {
    if (c < 33 || c > 126) return 0;
    switch (c) {
        case '!': case '\'': case ',': case '.': case '1': case ':': case ';': case 'I': case 'J':
        case 'L': case '`': case 'i': case 'j': case 'l': case '|':
            return 7;
        case '<': case '>':
            return 10;
        case '(': case ')': case '/': case '[': case '\\': case ']': case '^': case '~':
            return 12;
        case '{': case '}':
            return 13;
        case '"': case '?': case 'F': case 'R': case 'T': case 'f': case 'r': case 't':
            return 14;
        case '@':
            return 15;
        case '#': case '*': case '+': case '-': case '=': case '_':
            return 18;
        case '%':
            return 19;
        case 'M': case 'W': case 'm': case 'w':
            return 35;
        default:
            return 21;  // $ & digits and the remaining letters
    }
}

// Vertical extents inside the 35-row cell. DrawText samples from about 1.3 rows below the cell
// top to 0.8 rows past its bottom, so ink stays clear of both ends.
constexpr double kCapTop = 5, kBaseline = 31;
constexpr double kSmallTop = 12;

// Draws strokes in a box whose stroke centre lines span u, v = 0..1 (v downward).
struct Pen {
    double L, T, R, B;  // ink box in cell pixels
    double h;           // half stroke width
    double chamfer;     // corner cut, in pixels along the centre line
    std::vector<Region> regions;

    double X(double u) const { return L + h + u * (R - L - 2 * h); }
    double Y(double v) const { return T + h + v * (B - T - 2 * h); }
    double cx() const { return (R - L - 2 * h) > 0 ? chamfer / (R - L - 2 * h) : 0; }
    double cy() const { return (B - T - 2 * h) > 0 ? chamfer / (B - T - 2 * h) : 0; }
    std::vector<Vec> Map(std::initializer_list<Vec> pts) const {
        std::vector<Vec> out;
        for (Vec p : pts) out.push_back({X(p.x), Y(p.y)});
        return out;
    }
    void P(std::initializer_list<Vec> pts) { regions.push_back(art::Stroke(Map(pts), h, false)); }
    void C(std::initializer_list<Vec> pts) { regions.push_back(art::Stroke(Map(pts), h, true)); }
    // Open stroke with a different half width.
    void Pt(double half, std::initializer_list<Vec> pts) { regions.push_back(art::Stroke(Map(pts), half, false)); }
    void Ct(double half, std::initializer_list<Vec> pts) { regions.push_back(art::Stroke(Map(pts), half, true)); }
    // A square dot of the stroke width, centred on (u, v).
    void Dot(double u, double v) { P({{u, v}}); }
};

// Capital letters, digits and symbols, in the pen's box. Lower case letters reuse the capitals
// in a smaller box.
void DrawShape(int c, Pen& p) {
    const double x = p.cx(), y = p.cy();
    switch (c) {
        case 'A': p.P({{0, 1}, {0, y}, {x, 0}, {1 - x, 0}, {1, y}, {1, 1}}); p.P({{0, 0.56}, {1, 0.56}}); break;
        case 'B':
            p.C({{0, 0}, {1 - x, 0}, {1, y}, {1, 0.5 - y}, {1 - x, 0.5}, {1, 0.5 + y}, {1, 1 - y}, {1 - x, 1}, {0, 1}});
            p.P({{0, 0.5}, {1 - x, 0.5}});
            break;
        case 'C': p.P({{1, 0}, {x, 0}, {0, y}, {0, 1 - y}, {x, 1}, {1, 1}}); break;
        case 'D': p.C({{0, 0}, {1 - 1.6 * x, 0}, {1, 1.6 * y}, {1, 1 - 1.6 * y}, {1 - 1.6 * x, 1}, {0, 1}}); break;
        case 'E': p.P({{1, 0}, {0, 0}, {0, 1}, {1, 1}}); p.P({{0, 0.5}, {0.82, 0.5}}); break;
        case 'F': p.P({{1, 0}, {0, 0}, {0, 1}}); p.P({{0, 0.52}, {0.85, 0.52}}); break;
        case 'G': p.P({{1, 0}, {x, 0}, {0, y}, {0, 1 - y}, {x, 1}, {1, 1}, {1, 0.52}, {0.5, 0.52}}); break;
        case 'H': p.P({{0, 0}, {0, 1}}); p.P({{1, 0}, {1, 1}}); p.P({{0, 0.5}, {1, 0.5}}); break;
        case 'I': p.P({{0, 0}, {1, 0}}); p.Pt(p.h * 0.85, {{0.5, 0}, {0.5, 1}}); p.P({{0, 1}, {1, 1}}); break;
        case 'J': p.P({{1, 0}, {1, 1}, {0, 1}}); break;
        case 'K': p.P({{0, 0}, {0, 1}}); p.P({{0, 0.52}, {0.35, 0.52}, {1, 0}}); p.P({{0.35, 0.52}, {1, 1}}); break;
        case 'L': p.P({{0, 0}, {0, 1}}); p.Pt(p.h * 1.25, {{0, 1}, {1, 1}}); break;
        case 'M': p.P({{0, 1}, {0, 0}, {0.5, 0.62}, {1, 0}, {1, 1}}); break;
        case 'N': p.P({{0, 1}, {0, 0}, {1, 1}, {1, 0}}); break;
        case 'O': p.C({{x, 0}, {1 - x, 0}, {1, y}, {1, 1 - y}, {1 - x, 1}, {x, 1}, {0, 1 - y}, {0, y}}); break;
        case 'P': p.P({{0, 1}, {0, 0}, {1 - x, 0}, {1, y}, {1, 0.56 - y}, {1 - x, 0.56}, {0, 0.56}}); break;
        case 'Q':
            p.C({{x, 0}, {1 - x, 0}, {1, y}, {1, 1 - y}, {1 - x, 1}, {x, 1}, {0, 1 - y}, {0, y}});
            p.P({{0.55, 0.68}, {1.1, 1.12}});
            break;
        case 'R':
            p.P({{0, 1}, {0, 0}, {1 - x, 0}, {1, y}, {1, 0.54 - y}, {1 - x, 0.54}, {0, 0.54}});
            p.P({{0.45, 0.54}, {1, 1}});
            break;
        case 'S':
            p.P({{1, 0}, {x, 0}, {0, y}, {0, 0.5 - y}, {x, 0.5}, {1 - x, 0.5}, {1, 0.5 + y}, {1, 1 - y}, {1 - x, 1}, {0, 1}});
            break;
        case 'T': p.P({{-0.1, 0}, {1.1, 0}}); p.P({{0.5, 0}, {0.5, 1}}); break;
        case 'U': p.P({{0, 0}, {0, 1 - y}, {x, 1}, {1 - x, 1}, {1, 1 - y}, {1, 0}}); break;
        case 'V': p.P({{0, 0}, {0, 0.22}, {0.5, 1}, {1, 0.22}, {1, 0}}); break;
        case 'W': p.P({{0, 0}, {0, 1}, {0.5, 0.38}, {1, 1}, {1, 0}}); break;
        case 'X': p.P({{0, 0}, {1, 1}}); p.P({{1, 0}, {0, 1}}); break;
        case 'Y': p.P({{0, 0}, {0.5, 0.5}, {1, 0}}); p.P({{0.5, 0.5}, {0.5, 1}}); break;
        case 'Z': p.P({{0, 0}, {1, 0}, {0, 1}, {1, 1}}); break;

        // Digits: squarer than the letters; 0 carries a slash, 5 a square corner.
        case '0':
            p.C({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
            p.Pt(p.h * 0.7, {{0.78, 0.2}, {0.22, 0.8}});
            break;
        case '1': p.P({{1, 0}, {1, 1}}); p.Pt(p.h * 0.8, {{-0.75, 0.3}, {1, 0}}); break;
        case '2': p.P({{0, 0}, {1 - x, 0}, {1, y}, {1, 0.5 - y}, {1 - x, 0.5}, {x, 0.5}, {0, 0.5 + y}, {0, 1}, {1, 1}}); break;
        case '3': p.P({{0, 0}, {1, 0}, {1, 1}, {0, 1}}); p.P({{0.3, 0.5}, {1, 0.5}}); break;
        case '4': p.P({{0, 0}, {0, 0.62}, {1, 0.62}}); p.P({{0.78, 0.3}, {0.78, 1}}); break;
        case '5': p.P({{1, 0}, {0, 0}, {0, 0.48}, {1 - x, 0.48}, {1, 0.48 + y}, {1, 1 - y}, {1 - x, 1}, {0, 1}}); break;
        case '6': p.P({{1, 0}, {0, 0}, {0, 1}, {1, 1}, {1, 0.5}, {0, 0.5}}); break;
        case '7': p.P({{0, 0}, {1, 0}, {1, 0.3}, {0.45, 1}}); break;
        case '8':
            p.C({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
            p.P({{0, 0.48}, {1, 0.48}});
            break;
        case '9': p.P({{0, 1}, {1, 1}, {1, 0}, {0, 0}, {0, 0.5}, {1, 0.5}}); break;

        case '!': p.P({{0.5, 0}, {0.5, 0.62}}); p.Dot(0.5, 1); break;
        case '"': p.P({{0, 0}, {0, 0.28}}); p.P({{1, 0}, {1, 0.28}}); break;
        case '#':
            p.P({{0.3, 0}, {0.3, 1}}); p.P({{0.7, 0}, {0.7, 1}});
            p.P({{0, 0.3}, {1, 0.3}}); p.P({{0, 0.7}, {1, 0.7}});
            break;
        case '$':
            p.P({{1, 0.1}, {0, 0.1}, {0, 0.5}, {1, 0.5}, {1, 0.9}, {0, 0.9}});
            p.Pt(p.h * 0.75, {{0.5, -0.1}, {0.5, 1.1}});
            break;
        case '%':
            p.Ct(p.h * 0.7, {{0, 0}, {0.3, 0}, {0.3, 0.27}, {0, 0.27}});
            p.Ct(p.h * 0.7, {{0.7, 0.73}, {1, 0.73}, {1, 1}, {0.7, 1}});
            p.Pt(p.h * 0.8, {{1, 0}, {0, 1}});
            break;
        case '&':
            p.P({{1, 1}, {0.2, 0.36}, {0.2, 0}, {0.72, 0}, {0.72, 0.3}, {0, 0.62}, {0, 1}, {0.72, 1}, {1, 0.6}});
            break;
        case '\'': p.P({{0.5, 0}, {0.5, 0.28}}); break;
        case '`': p.P({{0, 0}, {1, 0.75}}); break;
        case '(': p.P({{1, 0}, {0, 0.22}, {0, 0.78}, {1, 1}}); break;
        case ')': p.P({{0, 0}, {1, 0.22}, {1, 0.78}, {0, 1}}); break;
        case '*':
            p.P({{0.5, 0}, {0.5, 1}});
            p.P({{0, 0.22}, {1, 0.78}});
            p.P({{1, 0.22}, {0, 0.78}});
            break;
        case '+': p.P({{0.5, 0}, {0.5, 1}}); p.P({{0, 0.5}, {1, 0.5}}); break;
        case ',': p.P({{0.5, 0}, {0.5, 0.55}, {0, 1}}); break;
        case '-': p.P({{0, 0.5}, {1, 0.5}}); break;
        case '.': p.Dot(0.5, 1); break;
        case '/': p.P({{1, 0}, {0, 1}}); break;
        case ':': p.Dot(0.5, 0.3); p.Dot(0.5, 1); break;
        case ';': p.Dot(0.5, 0.3); p.P({{0.5, 0.82}, {0.5, 1.02}, {0, 1.3}}); break;
        case '<': p.P({{1, 0}, {0, 0.5}, {1, 1}}); break;
        case '=': p.P({{0, 0.2}, {1, 0.2}}); p.P({{0, 0.8}, {1, 0.8}}); break;
        case '>': p.P({{0, 0}, {1, 0.5}, {0, 1}}); break;
        case '?': p.P({{0, 0}, {1, 0}, {1, 0.4}, {0.5, 0.4}, {0.5, 0.64}}); p.Dot(0.5, 1); break;
        case '@':
            p.P({{1, 1}, {0, 1}, {0, 0}, {1, 0}, {1, 0.72}, {0.45, 0.72}, {0.45, 0.36}, {1, 0.36}});
            break;
        case '[': p.P({{1, 0}, {0, 0}, {0, 1}, {1, 1}}); break;
        case '\\': p.P({{0, 0}, {1, 1}}); break;
        case ']': p.P({{0, 0}, {1, 0}, {1, 1}, {0, 1}}); break;
        case '^': p.P({{0, 1}, {0.5, 0}, {1, 1}}); break;
        case '_': p.P({{0, 0.5}, {1, 0.5}}); break;
        case '{': p.P({{1, 0}, {0.5, 0}, {0.5, 0.42}, {0, 0.5}, {0.5, 0.58}, {0.5, 1}, {1, 1}}); break;
        case '|': p.P({{0.5, 0}, {0.5, 1}}); break;
        case '}': p.P({{0, 0}, {0.5, 0}, {0.5, 0.42}, {1, 0.5}, {0.5, 0.58}, {0.5, 1}, {0, 1}}); break;
        case '~': p.P({{0, 1}, {0.3, 0}, {0.7, 1}, {1, 0}}); break;
        default: break;
    }
}

struct Box {
    double left, right;  // side bearings in pixels
    double top, bottom;  // ink rows
    double half;         // half stroke width
    double chamfer;
};

// Where each character's ink goes in its cell and how heavy its strokes are.
Box BoxFor(int c, int width) {
    const double capHalf = 2.35;
    const double margin = width >= 21 ? 2.0 : width >= 12 ? 1.5 : 1.0;
    Box b{margin, margin, kCapTop, kBaseline, capHalf, 3.0};
    if (c >= 'a' && c <= 'z') {
        b.top = kSmallTop;
        b.half = 2.15;
        b.chamfer = 2.2;
        if (width >= 21) b.left = b.right = 2.5;
    }
    switch (c) {
        case 'I': case '1': case '|': case '!': case '\'': case '`': case '.': case ':': case ',': case ';':
            b.left = b.right = 1.0;
            break;
        case 'i': b.left = b.right = 1.0; break;
        case 'J': case 'L': case 'j': case 'l': b.left = b.right = 0.25; b.half = 1.6; break;
        default: break;
    }
    switch (c) {
        case 'I': case 'i': b.left = b.right = 0.5; b.half = 1.85; break;
        case '1': b.left = b.right = 0.5; b.half = 2.0; break;
        case '`': b.left = b.right = 0.5; b.half = 1.7; b.bottom = 15; break;
        case '\'': b.bottom = 15; break;
        case '"': b.bottom = 15; b.left = b.right = 2.5; break;
        case ',': b.top = 24; b.bottom = 34; b.left = 0.75; b.half = 2.2; break;
        case ';': b.top = 12; b.bottom = 34; b.left = 0.75; b.half = 2.2; break;
        case ':': b.top = 12; break;
        case '(': case ')': case '[': case ']': case '{': case '}': b.top = 3; b.bottom = 34; b.half = 2.0; break;
        case '/': case '\\': b.top = 3; b.bottom = 33; b.half = 2.1; break;
        case '|': b.top = 2; b.bottom = 34; break;
        case '<': case '>': b.top = 9; b.bottom = 29; b.half = 1.9; break;
        case '+': b.top = 9; b.bottom = 29; break;
        case '-': b.top = 15; b.bottom = 21; break;
        case '=': b.top = 10; b.bottom = 27; break;
        case '*': b.top = 5; b.bottom = 24; b.half = 1.9; break;
        case '^': b.top = 5; b.bottom = 17; b.half = 2.0; break;
        case '~': b.top = 13; b.bottom = 23; b.half = 1.6; break;
        case '_': b.top = 29; b.bottom = 34; break;
        case '#': b.half = 1.8; break;
        case '$': b.top = 2; b.bottom = 34; b.half = 2.2; break;
        case '%': b.half = 2.0; break;
        case '@': b.half = 1.85; b.left = b.right = 1.0; break;
        case 'F': case 'R': case 'T': case 'f': case 'r': case 't': case '?': b.left = b.right = 1.25; break;
        case '&': b.half = 2.2; break;
        default: break;
    }
    if (c >= 'a' && c <= 'z' && (GlyphWidth(c) == 14)) b.left = b.right = 1.75;
    return b;
}

// Renders one glyph into a width x 35 coverage image.
art::Image RenderGlyph(int c, int width) {
    Box b = BoxFor(c, width);
    Pen pen{b.left, b.top, width - b.right, b.bottom, b.half, b.chamfer, {}};
    int shape = (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
    DrawShape(shape, pen);
    return art::Coverage(width, kGlyphH, pen.regions, {pen.L, pen.T, pen.R, pen.B}, 4);
}

struct Entry {
    std::int32_t x = 0, y = 0, w = 0;
};

void PutI32(std::vector<unsigned char>& out, std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(u >> (8 * i)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_font OUTFILE\n");
        return 2;
    }
    Entry entries[256];
    std::vector<unsigned char> atlas(std::size_t(kAtlasW) * kAtlasH, 0);

    // Fill the rows left to right in code order, one blank column between glyphs.
    int row = 0, penX = 1;
    for (int c = 33; c <= 126; ++c) {
        int w = GlyphWidth(c);
        if (penX + w > kAtlasW) {
            ++row;
            penX = 1;
        }
        if (row >= 7) {
            std::fprintf(stderr, "gen_font: glyphs do not fit the atlas\n");
            return 1;
        }
        entries[c] = {penX, kRowTops[row], w};
        art::Image g = RenderGlyph(c, w);
        for (int y = 0; y < kGlyphH; ++y)
            for (int x = 0; x < w; ++x)
                atlas[std::size_t(kRowTops[row] + y) * kAtlasW + penX + x] = art::ToByte(g.at(x, y));
        penX += w + 1;
    }
    // Codes past the printable range are never drawn; their entries lie below the atlas.
    for (int c = 127; c < 256; ++c) entries[c] = {0, kAtlasH + 64, 0};

    std::vector<unsigned char> out;
    const char magic[4] = {'F', 'P', 'S', 'P'};
    out.insert(out.end(), magic, magic + 4);
    PutI32(out, kAtlasW);
    PutI32(out, kAtlasH);
    PutI32(out, kGlyphH);
    for (const Entry& e : entries) {
        PutI32(out, e.x);
        PutI32(out, e.y);
        PutI32(out, e.w);
    }
    out.insert(out.end(), atlas.begin(), atlas.end());

    std::ofstream f(argv[1], std::ios::binary);
    f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!f) {
        std::fprintf(stderr, "gen_font: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
