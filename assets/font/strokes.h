#pragma once
// Tiny vector rasteriser shared by the font and image generators: thick polylines with mitred
// joins and square caps, filled polygons, all rendered with supersampled coverage.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace art {

struct Vec {
    double x = 0, y = 0;
};
inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator*(Vec a, double s) { return {a.x * s, a.y * s}; }

// A filled region: one or more rings, combined by the even-odd rule (so a closed stroke is an
// outer ring with a hole) or by the non-zero rule (an open stroke may fold over itself).
struct Region {
    std::vector<std::vector<Vec>> rings;
    bool evenOdd = false;
};

inline bool Inside(const Region& r, Vec p) {
    int winding = 0;
    int crossings = 0;
    for (const auto& ring : r.rings) {
        const std::size_t n = ring.size();
        for (std::size_t i = 0; i < n; ++i) {
            Vec a = ring[i];
            Vec b = ring[(i + 1) % n];
            if ((a.y <= p.y) != (b.y <= p.y)) {
                double t = (p.y - a.y) / (b.y - a.y);
                if (a.x + t * (b.x - a.x) > p.x) {
                    ++crossings;
                    winding += (b.y > a.y) ? 1 : -1;
                }
            }
        }
    }
    return r.evenOdd ? (crossings & 1) != 0 : winding != 0;
}

inline Vec Normalised(Vec v) {
    double len = std::sqrt(v.x * v.x + v.y * v.y);
    return len > 0 ? v * (1.0 / len) : Vec{1, 0};
}
inline Vec LeftNormal(Vec d) { return {d.y, -d.x}; }

// Offset of a join between directions d1 and d2, for half-width h, with a limited mitre so very
// sharp turns do not grow long spikes.
inline Vec MitreOffset(Vec d1, Vec d2, double h) {
    Vec n1 = LeftNormal(d1), n2 = LeftNormal(d2);
    double denom = 1.0 + n1.x * n2.x + n1.y * n2.y;
    Vec m = n1 + n2;
    if (denom < 1e-6) return n1 * h;
    Vec off = m * (h / denom);
    double len = std::sqrt(off.x * off.x + off.y * off.y);
    const double limit = 2.5 * h;
    if (len > limit) off = off * (limit / len);
    return off;
}

// A polyline of half-width h. Open lines get square caps; a single point becomes a square.
inline Region Stroke(const std::vector<Vec>& pts, double h, bool closed) {
    Region r;
    std::vector<Vec> p;
    for (Vec v : pts)
        if (p.empty() || std::fabs(v.x - p.back().x) + std::fabs(v.y - p.back().y) > 1e-9) p.push_back(v);
    if (closed && p.size() > 2 && std::fabs(p.front().x - p.back().x) + std::fabs(p.front().y - p.back().y) < 1e-9)
        p.pop_back();
    if (p.size() == 1) {
        Vec c = p[0];
        r.rings.push_back({{c.x - h, c.y - h}, {c.x + h, c.y - h}, {c.x + h, c.y + h}, {c.x - h, c.y + h}});
        return r;
    }
    const std::size_t n = p.size();
    if (closed) {
        std::vector<Vec> outer, inner;
        for (std::size_t i = 0; i < n; ++i) {
            Vec d1 = Normalised(p[i] - p[(i + n - 1) % n]);
            Vec d2 = Normalised(p[(i + 1) % n] - p[i]);
            Vec off = MitreOffset(d1, d2, h);
            outer.push_back(p[i] + off);
            inner.push_back(p[i] - off);
        }
        r.rings = {outer, inner};
        r.evenOdd = true;
        return r;
    }
    std::vector<Vec> left, right;
    for (std::size_t i = 0; i < n; ++i) {
        Vec d1 = i > 0 ? Normalised(p[i] - p[i - 1]) : Normalised(p[1] - p[0]);
        Vec d2 = i + 1 < n ? Normalised(p[i + 1] - p[i]) : d1;
        Vec base = p[i];
        if (i == 0) base = base - d2 * h;
        if (i + 1 == n) base = base + d1 * h;
        Vec off = (i == 0) ? LeftNormal(d2) * h : (i + 1 == n) ? LeftNormal(d1) * h : MitreOffset(d1, d2, h);
        left.push_back(base + off);
        right.push_back(base - off);
    }
    std::vector<Vec> ring = left;
    for (std::size_t i = n; i-- > 0;) ring.push_back(right[i]);
    r.rings = {ring};
    return r;
}

inline Region Polygon(const std::vector<Vec>& pts) {
    Region r;
    r.rings = {pts};
    return r;
}

// Applies x' = a*x + b*y + c, y' = d*x + e*y + f to every point.
inline Region Transformed(Region r, double a, double b, double c, double d, double e, double f) {
    for (auto& ring : r.rings)
        for (auto& v : ring) v = {a * v.x + b * v.y + c, d * v.x + e * v.y + f};
    return r;
}

// Clips every ring to an axis-aligned rectangle (Sutherland-Hodgman). Winding numbers of points
// inside the rectangle are unchanged, so both fill rules still hold.
inline Region ClippedTo(Region r, double x0, double y0, double x1, double y1) {
    auto clipEdge = [](const std::vector<Vec>& in, auto insideFn, auto crossFn) {
        std::vector<Vec> out;
        const std::size_t n = in.size();
        for (std::size_t i = 0; i < n; ++i) {
            Vec a = in[i], b = in[(i + 1) % n];
            bool ia = insideFn(a), ib = insideFn(b);
            if (ia) out.push_back(a);
            if (ia != ib) out.push_back(crossFn(a, b));
        }
        return out;
    };
    auto atX = [](Vec a, Vec b, double x) { return Vec{x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)}; };
    auto atY = [](Vec a, Vec b, double y) { return Vec{a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y}; };
    for (auto& ring : r.rings) {
        ring = clipEdge(ring, [&](Vec v) { return v.x >= x0; }, [&](Vec a, Vec b) { return atX(a, b, x0); });
        ring = clipEdge(ring, [&](Vec v) { return v.x <= x1; }, [&](Vec a, Vec b) { return atX(a, b, x1); });
        ring = clipEdge(ring, [&](Vec v) { return v.y >= y0; }, [&](Vec a, Vec b) { return atY(a, b, y0); });
        ring = clipEdge(ring, [&](Vec v) { return v.y <= y1; }, [&](Vec a, Vec b) { return atY(a, b, y1); });
    }
    return r;
}

// Greyscale float image, row 0 at the top.
struct Image {
    int w = 0, h = 0;
    std::vector<double> px;
    Image() = default;
    Image(int width, int height, double fill = 0) : w(width), h(height), px(std::size_t(width) * height, fill) {}
    double& at(int x, int y) { return px[std::size_t(y) * w + x]; }
    double at(int x, int y) const { return px[std::size_t(y) * w + x]; }
};

struct Rect {
    double x0, y0, x1, y1;
};

// Coverage (0..1) of the union of regions over each pixel of the clip rectangle, sampled on an
// ss x ss grid; only samples inside the clip rectangle count.
inline Image Coverage(int w, int h, const std::vector<Region>& regions, Rect clip, int ss = 4) {
    Image img(w, h);
    int x0 = std::max(0, int(std::floor(clip.x0))), x1 = std::min(w, int(std::ceil(clip.x1)));
    int y0 = std::max(0, int(std::floor(clip.y0))), y1 = std::min(h, int(std::ceil(clip.y1)));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < ss; ++sy)
                for (int sx = 0; sx < ss; ++sx) {
                    Vec p{x + (sx + 0.5) / ss, y + (sy + 0.5) / ss};
                    if (p.x < clip.x0 || p.x > clip.x1 || p.y < clip.y0 || p.y > clip.y1) continue;
                    for (const Region& r : regions)
                        if (Inside(r, p)) {
                            ++hits;
                            break;
                        }
                }
            img.at(x, y) = double(hits) / (ss * ss);
        }
    return img;
}

inline std::uint8_t ToByte(double v) {
    v = std::clamp(v, 0.0, 1.0);
    return static_cast<std::uint8_t>(std::lround(v * 255.0));
}

}  // namespace art
