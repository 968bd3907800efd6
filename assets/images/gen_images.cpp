// gen_images OUTDIR
//
// Draws every picture the game embeds and writes them as files into OUTDIR:
//   glow_dot.tga     16x16 radial glow for particles and pickups
//   line.tga         32x32 glow with a hot core, stretched along glow lines
//   title_logo.tga   256x512: the sharp logo and three glow layers, stacked
//   studio_logo.bmp  128x128 framed emblem flashed during warm-up
//   launcher.bmp     220x89 banner for the launcher dialog
//   icon.png         256x256 desktop icon
// Output is a pure function of this code: no clocks, no random numbers.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "../font/strokes.h"
#include "formats.h"

namespace {

using art::Image;
using art::Region;
using art::Vec;
using images::Bytes;
using images::Rgb;

bool WriteFile(const std::string& path, const Bytes& data) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!f) std::fprintf(stderr, "gen_images: cannot write %s\n", path.c_str());
    return static_cast<bool>(f);
}

// ---------------------------------------------------------------------------------------------
// Radial glows. Each is defined by the pixel values along its centre row; every other pixel
// takes the value at its own distance from the centre, interpolated between those samples, so
// the image is exactly symmetric and round.

// `half` lists the centre row from the middle outward (the core pixel first).
Bytes RadialGlow(int size, const std::vector<int>& half) {
    const double c = size / 2.0;
    auto dist = [&](int x, int y) {
        double dx = x + 0.5 - c, dy = y + 0.5 - c;
        return std::sqrt(dx * dx + dy * dy);
    };
    // Distance of each centre-row pixel from the centre: the row sits half a pixel off it.
    std::vector<double> knots;
    for (std::size_t i = 0; i < half.size(); ++i) knots.push_back(dist(size / 2 + int(i), size / 2));
    Bytes out(std::size_t(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double r = dist(x, y);
            double v = 0;
            if (r <= knots.front()) {
                v = half.front();
            } else if (r >= knots.back()) {
                v = half.back();
            } else {
                std::size_t i = 1;
                while (knots[i] < r) ++i;
                double t = (r - knots[i - 1]) / (knots[i] - knots[i - 1]);
                v = half[i - 1] + t * (half[i] - half[i - 1]);
            }
            out[std::size_t(y) * size + x] = static_cast<unsigned char>(std::lround(v));
        }
    return out;
}

Bytes GlowDotPixels() { return RadialGlow(16, {255, 130, 88, 70, 51, 29, 7, 0}); }

Bytes LinePixels() { return RadialGlow(32, {255, 31, 29, 28, 26, 24, 22, 18, 16, 12, 10, 6, 2, 0, 0, 0}); }

// ---------------------------------------------------------------------------------------------
// Image helpers.

Image Blur(const Image& src, double sigma) {
    int radius = std::max(1, int(std::ceil(sigma * 3)));
    std::vector<double> k(std::size_t(2 * radius + 1));
    double sum = 0;
    for (int i = -radius; i <= radius; ++i) sum += k[std::size_t(i + radius)] = std::exp(-(i * i) / (2 * sigma * sigma));
    for (double& v : k) v /= sum;
    Image tmp(src.w, src.h), out(src.w, src.h);
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x) {
            double acc = 0;
            for (int i = -radius; i <= radius; ++i) {
                int xx = x + i;
                if (xx >= 0 && xx < src.w) acc += k[std::size_t(i + radius)] * src.at(xx, y);
            }
            tmp.at(x, y) = acc;
        }
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x) {
            double acc = 0;
            for (int i = -radius; i <= radius; ++i) {
                int yy = y + i;
                if (yy >= 0 && yy < src.h) acc += k[std::size_t(i + radius)] * tmp.at(x, yy);
            }
            out.at(x, y) = acc;
        }
    return out;
}

Image Full(int w, int h, const std::vector<Region>& regions) {
    return art::Coverage(w, h, regions, {0, 0, double(w), double(h)}, 4);
}

// Closed outline of a rectangle with its corners cut at 45 degrees.
std::vector<Vec> ChamferedRect(double x0, double y0, double x1, double y1, double cut) {
    return {{x0 + cut, y0}, {x1 - cut, y0}, {x1, y0 + cut}, {x1, y1 - cut},
            {x1 - cut, y1}, {x0 + cut, y1}, {x0, y1 - cut}, {x0, y0 + cut}};
}

// ---------------------------------------------------------------------------------------------
// The logo lettering: heavy, squared-off capitals with cut corners and a forward slant.

struct LetterPen {
    double L, T, R, B, h;
    std::vector<Region>* out;
    double X(double u) const { return L + h + u * (R - L - 2 * h); }
    double Y(double v) const { return T + h + v * (B - T - 2 * h); }
    void P(std::initializer_list<Vec> pts, bool closed = false) {
        std::vector<Vec> m;
        for (Vec p : pts) m.push_back({X(p.x), Y(p.y)});
        out->push_back(art::Stroke(m, h, closed));
    }
};

struct LogoLetter {
    char c;
    double width;     // ink width in cap heights
    double tail = 0;  // extra ink past the right edge (the Q's tail), in cap heights
};

// Regions for `text` with the cap height `size`, top-left of the first letter at (x, y), and the
// slant (x shift per unit of height above the baseline).
std::vector<Region> LogoText(const std::vector<LogoLetter>& text, double x, double y, double size, double slant,
                             double gap) {
    std::vector<Region> all;
    const double h = size * 0.115;
    const double cut = 0.13;
    for (const LogoLetter& l : text) {
        std::vector<Region> letter;
        LetterPen p{x, y, x + l.width * size, y + size, h, &letter};
        const double cx = cut * size / std::max(1.0, (l.width * size - 2 * h));
        const double cy = cut * size / (size - 2 * h);
        switch (l.c) {
            case 'Q':
                p.P({{cx, 0}, {1 - cx, 0}, {1, cy}, {1, 1 - cy}, {1 - cx, 1}, {cx, 1}, {0, 1 - cy}, {0, cy}}, true);
                p.P({{0.55, 1}, {1.0 + l.tail * size / (l.width * size - 2 * h), 1}});
                break;
            case 'U': p.P({{0, 0}, {0, 1 - cy}, {cx, 1}, {1 - cx, 1}, {1, 1 - cy}, {1, 0}}); break;
            case 'I': p.P({{0.5, 0}, {0.5, 1}}); break;
            case 'V': p.P({{0, 0}, {0, 0.3}, {0.5, 1}, {1, 0.3}, {1, 0}}); break;
            case '-': p.P({{0, 0.5}, {1, 0.5}}); break;
            case 'E': p.P({{1, 0}, {0, 0}, {0, 1}, {1, 1}}); p.P({{0, 0.5}, {0.8, 0.5}}); break;
            case 'X': p.P({{0, 0}, {1, 1}}); p.P({{1, 0}, {0, 1}}); break;
            default: break;
        }
        // Square the letter off at its box, then lean it forward about the baseline.
        for (const Region& r : letter)
            all.push_back(art::Transformed(art::ClippedTo(r, p.L, p.T, p.R + l.tail * size, p.B), 1, -slant,
                                           slant * (y + size), 0, 1, 0));
        x += (l.width + l.tail + gap) * size;
    }
    return all;
}

const std::vector<LogoLetter> kName = {{'Q', 0.74, 0.1}, {'U', 0.68}, {'I', 0.23}, {'V', 0.74},
                                        {'-', 0.40}, {'E', 0.62}, {'X', 0.72}};
constexpr double kNameGap = 0.13;

double NameWidth(double size, double slant) {
    double w = 0;
    for (const LogoLetter& l : kName) w += l.width + l.tail;
    return (w + kNameGap * (kName.size() - 1)) * size + slant * size;
}

// ---------------------------------------------------------------------------------------------
// Title logo: four 256x128 bands. Band 0 is the sharp logo (dark letters cut into a light box);
// bands 1-3 are glows of the lettering that the menu adds on top with pulsing brightness.

Bytes TitleLogoPixels() {
    const int W = 256, H = 128;
    const double size = 46, slant = 0.16;
    const double textW = NameWidth(size, slant);
    const double tx = (W - textW) / 2, ty = (H - size) / 2;
    Image letters = Full(W, H, LogoText(kName, tx, ty, size, slant, kNameGap));

    // Light box with cut corners and a thin inner rule, plus two speed lines through the
    // lower half of the lettering.
    const double bx0 = 9, by0 = ty - 13, bx1 = W - 9, by1 = ty + size + 13;
    Image box = Full(W, H, {art::Polygon(ChamferedRect(bx0, by0, bx1, by1, 10))});
    Image rule = Full(W, H, {art::Stroke(ChamferedRect(bx0 + 4, by0 + 4, bx1 - 4, by1 - 4, 7.5), 0.6, true)});
    std::vector<Region> speed;
    for (double v : {0.70, 0.84}) {
        double yy = ty + v * size;
        speed.push_back(art::Polygon({{0, yy}, {double(W), yy}, {double(W), yy + 1.6}, {0, yy + 1.6}}));
    }
    Image cuts = Full(W, H, speed);

    Image band0(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            // Box shading: brighter toward the top, like a lit metal plate.
            double shade = 0.52 - 0.14 * (y - by0) / (by1 - by0);
            double v = box.at(x, y) * (shade - 0.16 * rule.at(x, y));
            double ink = letters.at(x, y) * (1 - 0.85 * cuts.at(x, y));
            v = v * (1 - ink) + ink * 0.05;
            band0.at(x, y) = v;
        }

    // Glow layers: a tight bright one, a medium halo and a wide soft bloom.
    Image g1 = Blur(letters, 1.3), g2 = Blur(letters, 4.0), g3 = Blur(letters, 10.0);
    Bytes out(std::size_t(W) * H * 4);
    // Each glow is scaled to its own peak; the peaks are kept low enough that the three layers
    // at full pulse light the letters up without washing out the box.
    auto put = [&](int band, const Image& img, double peak, double gamma) {
        double top = *std::max_element(img.px.begin(), img.px.end());
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                double v = peak * std::pow(std::clamp(img.at(x, y) / top, 0.0, 1.0), gamma);
                out[std::size_t(band * H + y) * W + x] = art::ToByte(v);
            }
    };
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) out[std::size_t(y) * W + x] = art::ToByte(band0.at(x, y));
    put(1, g1, 1.0, 1.0);
    put(2, g2, 0.7, 0.9);
    put(3, g3, 0.5, 0.8);
    return out;
}

// ---------------------------------------------------------------------------------------------
// Studio logo: a white frame around a small glowing emblem (a faceted diamond with a star core),
// on black. Palette: 132 greys.

constexpr int kStudioGreys = 132;

Bytes StudioLogoPixels() {
    const int N = 128;
    const double c = N / 2.0;
    Image frame = Full(N, N, {art::Stroke({{6, 6}, {122, 6}, {122, 122}, {6, 122}}, 2.0, true)});
    std::vector<Region> mark;
    // Outer diamond outline.
    mark.push_back(art::Stroke({{c, 22}, {106, c}, {c, 106}, {22, c}}, 3.0, true));
    // Inner facets: a smaller solid diamond split into four by a dark cross.
    mark.push_back(art::Polygon({{c, 40}, {88, c}, {c, 88}, {40, c}}));
    Image emblem = Full(N, N, mark);
    Image cross = Full(N, N, {art::Stroke({{c, 36}, {c, 92}}, 1.6, false), art::Stroke({{36, c}, {92, c}}, 1.6, false)});
    // Four short rays beyond the diamond's corners.
    Image rays = Full(N, N, {art::Stroke({{c, 12}, {c, 17}}, 1.2, false), art::Stroke({{c, 111}, {c, 116}}, 1.2, false),
                             art::Stroke({{12, c}, {17, c}}, 1.2, false), art::Stroke({{111, c}, {116, c}}, 1.2, false)});
    Image glow = Blur(emblem, 5.0);
    Bytes out(std::size_t(N) * N);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            double dx = (x + 0.5 - c) / 24, dy = (y + 0.5 - c) / 24;
            double core = std::exp(-(dx * dx + dy * dy) * 2.0);
            double inner = emblem.at(x, y) * (1 - 0.8 * cross.at(x, y)) * (0.62 + 0.38 * core);
            double v = std::max({frame.at(x, y), inner, rays.at(x, y) * 0.7, glow.at(x, y) * 0.45});
            // Frame interior stays black except for the emblem.
            out[std::size_t(y) * N + x] = static_cast<unsigned char>(std::lround(std::clamp(v, 0.0, 1.0) * (kStudioGreys - 1)));
        }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Launcher banner: the name glowing over a dark perspective grid. One intensity channel mapped
// through a black-blue-cyan-white palette.

std::vector<Rgb> GlowPalette() {
    struct Stop {
        double t, r, g, b;
    };
    const Stop stops[] = {{0.0, 0, 0, 0}, {0.22, 8, 22, 70}, {0.5, 10, 120, 220}, {0.75, 90, 220, 255}, {1.0, 255, 255, 255}};
    std::vector<Rgb> pal;
    for (int i = 0; i < 256; ++i) {
        double t = i / 255.0;
        std::size_t k = 1;
        while (k + 1 < std::size(stops) && stops[k].t < t) ++k;
        const Stop& a = stops[k - 1];
        const Stop& b = stops[k];
        double f = (t - a.t) / (b.t - a.t);
        auto mix = [&](double p, double q) { return static_cast<unsigned char>(std::lround(p + f * (q - p))); };
        pal.push_back({mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)});
    }
    return pal;
}

Bytes LauncherPixels() {
    const int W = 220, H = 89;
    const double size = 36, slant = 0.16;
    const double tx = (W - NameWidth(size, slant)) / 2, ty = 14;
    Image letters = Full(W, H, LogoText(kName, tx, ty, size, slant, kNameGap));
    Image halo = Blur(letters, 2.5), bloom = Blur(letters, 8.0);

    // Floor grid converging on a vanishing point behind the lettering.
    const double horizon = 58, vx = W / 2.0;
    std::vector<Region> grid;
    for (int i = -9; i <= 9; ++i)
        grid.push_back(art::Stroke({{vx + i * 4.0, horizon}, {vx + i * 40.0, double(H) + 2}}, 0.45, false));
    for (double z = 1; z < 40; z *= 1.55) {
        double yy = horizon + 34.0 / z;
        if (yy < H) grid.push_back(art::Stroke({{0, yy}, {double(W), yy}}, 0.45, false));
    }
    grid.push_back(art::Stroke({{0, horizon}, {double(W), horizon}}, 0.5, false));
    Image floor = Full(W, H, grid);

    Bytes out(std::size_t(W) * H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            double sky = y < horizon ? 0.10 * (y / horizon) : 0.10 * std::max(0.0, 1 - (y - horizon) / 14);
            double fade = y >= horizon ? std::min(1.0, (y - horizon) / 20 + 0.35) : 0;
            double v = sky + floor.at(x, y) * 0.42 * fade;
            v += 0.30 * std::min(1.0, bloom.at(x, y) * 1.8) + 0.30 * std::min(1.0, halo.at(x, y) * 1.3);
            v = std::max(v, letters.at(x, y) * 0.96);
            out[std::size_t(y) * W + x] = art::ToByte(v);
        }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Desktop icon: a dark rounded tile with a glowing cyan Q.

Bytes IconPixels() {
    const int N = 256;
    Image tile = Full(N, N, {art::Stroke(ChamferedRect(24, 24, 232, 232, 30), 10, true),
                             art::Polygon(ChamferedRect(24, 24, 232, 232, 30))});
    Image rim = Full(N, N, {art::Stroke(ChamferedRect(30, 30, 226, 226, 27), 2.2, true)});
    const double size = 150;
    Image q = Full(N, N, LogoText({{'Q', 0.74, 0.12}}, (N - 0.86 * size - 0.1 * size) / 2, (N - size) / 2 - 2, size, 0.1, 0));
    Image halo = Blur(q, 5), bloom = Blur(q, 16);
    Bytes out(std::size_t(N) * N * 4);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            double t = y / double(N);
            double r = 0.02 + 0.03 * t, g = 0.03 + 0.04 * t, b = 0.09 + 0.10 * t;
            double glow = 0.7 * std::min(1.0, halo.at(x, y) * 1.2) + 0.6 * std::min(1.0, bloom.at(x, y) * 1.6);
            r += 0.10 * glow + 0.25 * rim.at(x, y);
            g += 0.75 * glow + 0.55 * rim.at(x, y);
            b += 1.00 * glow + 0.70 * rim.at(x, y);
            double core = q.at(x, y);
            r = r * (1 - core) + core * 0.92;
            g = g * (1 - core) + core * 1.0;
            b = b * (1 - core) + core * 1.0;
            std::size_t o = (std::size_t(y) * N + x) * 4;
            double a = tile.at(x, y);
            out[o + 0] = art::ToByte(r);
            out[o + 1] = art::ToByte(g);
            out[o + 2] = art::ToByte(b);
            out[o + 3] = art::ToByte(a);
        }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_images OUTDIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";

    std::vector<Rgb> studioPalette;
    for (int i = 0; i < kStudioGreys; ++i) {
        auto g = static_cast<unsigned char>(std::lround(i * 255.0 / (kStudioGreys - 1)));
        studioPalette.push_back({g, g, g});
    }

    bool ok = true;
    ok &= WriteFile(dir + "glow_dot.tga", images::ColourMappedTga(16, 16, GlowDotPixels()));
    ok &= WriteFile(dir + "line.tga", images::GreyTrueColourTga(32, 32, LinePixels()));
    ok &= WriteFile(dir + "title_logo.tga", images::ColourMappedTga(256, 512, TitleLogoPixels()));
    ok &= WriteFile(dir + "studio_logo.bmp", images::PalettedBmp(128, 128, studioPalette, StudioLogoPixels()));
    ok &= WriteFile(dir + "launcher.bmp", images::PalettedBmp(220, 89, GlowPalette(), LauncherPixels()));
    ok &= WriteFile(dir + "icon.png", images::RgbaPng(256, 256, IconPixels()));
    return ok ? 0 : 1;
}
