#include "render/background.h"

#include <algorithm>
#include <cmath>

#include <glm/mat4x4.hpp>

#include "world/sounds.h"
#include "platform/platform.h"
#include "render/batches.h"
#include "render/device.h"
#include "render/textures.h"
#include "world/world.h"
#include "shell/trig.h"

namespace {

constexpr float kDegree = 3.14159265f / 180.0f;

constexpr int kWaveKnots = 52;  // a band bends every 10 units down the playfield
constexpr float kBandWidth = 200.0f;
constexpr float kPlayfieldLeft = 127.0f, kPlayfieldRight = 513.0f;  // a unit under each side mask
// In the light picture the bands' glow comes from the half-size layer between their first and last
// segments; those two, where a band ends in a hard edge, are drawn sharp.
constexpr float kBandInnerTop = 10.0f, kBandInnerBottom = (kWaveKnots - 2) * 10.0f;

// The vertices the background builds for its draws, made once.
struct BackgroundVertices {
    TexturedVertex waveStrip[kWaveKnots * 2];
    TexturedVertex waveTriangles[8 * (kWaveKnots - 1) * 12];  // a cut segment is at most a hexagon
    TexturedVertex waveEnds[8 * 2 * 12];
    TexturedVertex logoQuads[24];
};
BackgroundVertices BV;

int Degrees(int a) {
    a %= 360;
    return a < 0 ? a + 360 : a;
}

void Quad(TexturedVertex* v, float x0, float y0, float x1, float y1, uint32_t colour, float v0, float v1) {
    v[0] = {x0, y0, 0, colour, 0, v0};
    v[1] = {x1, y0, 0, colour, 1, v0};
    v[2] = {x0, y1, 0, colour, 0, v1};
    v[3] = {x1, y0, 0, colour, 1, v0};
    v[4] = {x1, y1, 0, colour, 1, v1};
    v[5] = {x0, y1, 0, colour, 0, v1};
}

}  // namespace

void DrawPlayfieldGrid(const World& w) {
    const uint32_t front = 0x7F585858, deep = 0x1F282828;
    for (int x = 192; x <= 448; x += 64) AddLine(x, 0, front, x, 512, front);
    for (int i = 0; i <= 448; i += 64) {
        float y = std::trunc(i + w.Presentation.PlayfieldScroll);
        AddLine(128, y, front, 512, y, front);
    }
    // A dimmer grid 200 units behind, which seems to move more slowly.
    for (int x = 96; x <= 544; x += 64) AddLineDepth(x, -100, deep, x, 640, deep, -200);
    for (int i = 0; i <= 704; i += 64) {
        float y = std::trunc(i + w.Presentation.PlayfieldScroll - 110);
        AddLineDepth(0, y, deep, 640, y, deep, -200);
    }
}

void DrawBackgroundGrid(const World& w) {
    for (int i = 0; i <= 8; ++i) AddLine(0, 64 * i - w.Presentation.gridOffsetY, 0xFF101010, 640, 64 * i - w.Presentation.gridOffsetY, 0xFF404040);
    for (int i = 0; i <= 11; ++i)
        AddLine(64 * i - w.Presentation.gridOffsetX, 0, 0xFF101010, 64 * i - w.Presentation.gridOffsetX, 512, 0xFF404040);
}

void BandStrip(float centreX, float frequency, float phase, uint32_t colour) {
    for (int i = 0; i < kWaveKnots; ++i) {
        float y = static_cast<float>(i * 10);
        float s = std::sin((phase - y * frequency) * kDegree);
        BV.waveStrip[2 * i] = {centreX - 100 + 50 * s, y, 0, colour, 0.0f, 0.5f};
        BV.waveStrip[2 * i + 1] = {centreX + 100 + 50 * s, y, 0, colour, 1.0f, 0.5f};
    }
}

// The lit part of one band between two knots (their left vertices a and b): a parallelogram, clipped to
// the playfield, as a fan of triangles whose texture coordinates are the band's own at each corner.
// Neighbouring parts share their cut edge point for point, so they meet without a gap or an overlap.
// At the band's two ends the outer edge stays whole, so the pixels along it are exactly the ones the
// band always covered; the part then narrows to the edge its neighbour cut.
int LitBandSegment(TexturedVertex* out, const TexturedVertex& a, const TexturedVertex& b, uint32_t colour,
                   bool topEnd, bool bottomEnd) {
    struct Point {
        float x, y;
    };
    Point poly[8];
    int n = 0;
    if (topEnd || bottomEnd) {
        const TexturedVertex& whole = topEnd ? a : b;
        const TexturedVertex& cut = topEnd ? b : a;
        float from = std::clamp(cut.x + kBandWidth * Textures.LineCentreLitFrom, kPlayfieldLeft, kPlayfieldRight);
        float to = std::clamp(cut.x + kBandWidth * Textures.LineCentreLitTo, kPlayfieldLeft, kPlayfieldRight);
        poly[n++] = {whole.x, whole.y};
        poly[n++] = {whole.x + kBandWidth, whole.y};
        poly[n++] = {to, cut.y};
        if (from < to) poly[n++] = {from, cut.y};
    } else {
        poly[n++] = {a.x + kBandWidth * Textures.LineCentreLitFrom, a.y};
        poly[n++] = {a.x + kBandWidth * Textures.LineCentreLitTo, a.y};
        poly[n++] = {b.x + kBandWidth * Textures.LineCentreLitTo, b.y};
        poly[n++] = {b.x + kBandWidth * Textures.LineCentreLitFrom, b.y};
        for (float side : {-1.0f, 1.0f}) {  // keep x >= left, then x <= right
            float edge = side < 0 ? kPlayfieldLeft : kPlayfieldRight;
            Point in[8];
            int m = n;
            std::copy(poly, poly + n, in);
            n = 0;
            for (int i = 0; i < m; ++i) {
                const Point& p = in[i];
                const Point& q = in[(i + 1) % m];
                bool pIn = side * (p.x - edge) <= 0, qIn = side * (q.x - edge) <= 0;
                if (pIn) poly[n++] = p;
                if (pIn != qIn) {
                    float t = (edge - p.x) / (q.x - p.x);
                    poly[n++] = {edge, p.y + t * (q.y - p.y)};
                }
            }
        }
    }
    if (n < 3) return 0;
    auto vertex = [&](const Point& p) {
        float left = a.x + (b.x - a.x) * (p.y - a.y) / (b.y - a.y);
        return TexturedVertex{p.x, p.y, 0.0f, colour, (p.x - left) / kBandWidth, 0.5f};
    };
    int count = 0;
    for (int i = 1; i + 1 < n; ++i) {
        out[count++] = vertex(poly[0]);
        out[count++] = vertex(poly[i]);
        out[count++] = vertex(poly[i + 1]);
    }
    return count;
}

void DrawWaveBand(float centreX, float frequency, float phase, uint32_t colour) {
    BandStrip(centreX, frequency, phase, colour);
    plat::Gfx& gfx = plat::gfx();
    gfx.SetTransform(plat::TransformKind::World, glm::mat4(1.0f));
    gfx.BindTexture(Textures.LineTexture);
    gfx.Draw(plat::Primitive::TriangleStrip, BV.waveStrip, 102);
    gfx.BindTexture(0);
}

void DrawBackgroundWaves(const World& w) {
    uint32_t colour = static_cast<uint32_t>(w.Presentation.WaveR << 16 | w.Presentation.WaveG << 8 | w.Presentation.WaveB);

    static const float kFrequency[4] = {1.0f, 0.5f, 0.7f, 0.8f};
    if (Batches.ClassicDrawing) {
        for (int i = 0; i < 4; ++i) DrawWaveBand(220, kFrequency[i], w.Presentation.WavePhase[i], colour);
        for (int i = 0; i < 4; ++i) DrawWaveBand(420, -kFrequency[i], -w.Presentation.WavePhase[i], colour);
        return;
    }
    // Only the light of each band, only between the side masks (a unit inside them: they hide the rest),
    // all eight in one draw. The bands are larger than their texture on screen, so the full-size image
    // alone gives the same texels.
    bool light = LightPicture();
    // Bands held nearly black (the menu's) add a level at most, only along their cores: the light
    // picture leaves them out.
    if (light && std::max({w.Presentation.WaveR, w.Presentation.WaveG, w.Presentation.WaveB}) <= 1) return;
    int vertices = 0, ends = 0;
    for (int i = 0; i < 8; ++i) {
        float sign = i < 4 ? 1.0f : -1.0f;
        BandStrip(i < 4 ? 220.0f : 420.0f, sign * kFrequency[i % 4], sign * w.Presentation.WavePhase[i % 4], colour);
        for (int k = 0; k + 1 < kWaveKnots; ++k) {
            bool end = k == 0 || k + 2 == kWaveKnots;
            int n = LitBandSegment(&BV.waveTriangles[vertices], BV.waveStrip[2 * k], BV.waveStrip[2 * k + 2], colour, k == 0,
                                   k + 2 == kWaveKnots);
            if (light && end) std::copy(&BV.waveTriangles[vertices], &BV.waveTriangles[vertices + n], &BV.waveEnds[ends]), ends += n;
            vertices += n;
        }
    }
    plat::Gfx& gfx = plat::gfx();
    gfx.SetTransform(plat::TransformKind::World, glm::mat4(1.0f));
    gfx.BindTexture(Textures.LineTexture);
    gfx.SetMipmapping(false);
    if (light) gfx.SetGlowLayer(true);
    gfx.Draw(plat::Primitive::TriangleList, BV.waveTriangles, vertices / 3);
    if (light) {
        gfx.AddGlowLayer(128.0f, kBandInnerTop, 512.0f, kBandInnerBottom);  // up to the masks, not under them
        gfx.Draw(plat::Primitive::TriangleList, BV.waveEnds, ends / 3);
    }
    gfx.SetMipmapping(true);
    gfx.BindTexture(0);
}

void DrawSideMasks() {
    static const uint32_t black = 0xFF000000;
    static const ColourVertex masks[12] = {
        {-128, 0, 0, black}, {128, 0, 0, black}, {-128, 512, 0, black},
        {128, 0, 0, black},  {128, 512, 0, black}, {-128, 512, 0, black},
        {512, 0, 0, black},  {768, 0, 0, black}, {512, 512, 0, black},
        {768, 0, 0, black},  {768, 512, 0, black}, {512, 512, 0, black},
    };
    plat::Gfx& gfx = plat::gfx();
    gfx.SetBlending(false);
    gfx.Draw(plat::Primitive::TriangleList, masks, 4);
    gfx.SetBlending(true);
}

namespace {

void DrawShieldRing(float shipX, float shipY, int32_t shieldTimer, int q) {
    float s = 0.2f * shieldTimer;
    float px = shipX, py = shipY;
    auto P = [px, py](int angle, float r, float& x, float& y) {
        int a = Degrees(angle);
        x = px + r * Content.SinTable[a];
        y = py + r * Content.CosTable[a];
    };
    for (int a = 0; a <= 300; a += 60) {
        float x1, y1, x2, y2;
        P(q + a, 20 - s, x1, y1);
        P(q + a + 60, 20, x2, y2);
        AddLine(x1, y1, 0xFF0030FF, x2, y2, 0xFF0030FF);
        float x3, y3, x4, y4;
        P(a - q, s + 15, x3, y3);
        P(a + 60 - q, s + 15, x4, y4);
        AddLine(x3, y3, 0xFF2020FF, x4, y4, 0xFF2090FF);
        AddLine(x1, y1, 0xFF1020FF, x2, y2, 0xFF1020FF);
        P(a - q, s + 16, x3, y3);
        P(a + 60 - q, s + 16, x4, y4);
        AddLine(x3, y3, 0xFF0000FF, x4, y4, 0xFF0000FF);
    }
}

}  // namespace

void DrawShieldRings(const World& w, float shipX, float shipY, int32_t shieldTimer) {
    if (shieldTimer == 0) return;
    // Each ring is a turn further on than the one before, the last where the rotation now stands.
    const bool turning = w.Program.GameMode != Mode::Paused;
    int turns[kShieldRings];
    int q = w.Presentation.ShieldRotation;
    for (int ring = kShieldRings - 1; ring >= 0; --ring) {
        turns[ring] = q;
        if (turning) q = q > 4 ? q - 4 : q + 56;
    }
    for (int ring = 0; ring < kShieldRings; ++ring) DrawShieldRing(shipX, shipY, shieldTimer, turns[ring]);
}

void DrawTitleLogo(const World& w, float x, float y) {
    for (int layer = 0; layer < 4; ++layer) {
        uint32_t colour = 0xFFFFFFFF;
        if (layer > 0) {
            uint32_t g = static_cast<uint32_t>(std::trunc(std::sin(w.Presentation.logoPhase[layer - 1] * kDegree) * 120 + 128));
            colour = 0xFF000000 | g * 0x010101;
        }
        Quad(&BV.logoQuads[layer * 6], x, y, x + 300, y + 150, colour, layer / 4.0f, (layer + 1) / 4.0f);
    }
    plat::Gfx& gfx = plat::gfx();
    gfx.BindTexture(Textures.TitleLogoTexture);
    gfx.Draw(plat::Primitive::TriangleList, BV.logoQuads, 8);
    gfx.BindTexture(0);
}

void DrawStudioLogo(const World& w) {
    if (!w.Presentation.studioShown) return;
    TexturedVertex quad[6];
    Quad(quad, 280, 216, 360, 296, static_cast<uint32_t>(w.Presentation.studioBrightness) * 0x010101, 0.0f, 1.0f);
    plat::Gfx& gfx = plat::gfx();
    gfx.BindTexture(Textures.StudioLogoTexture);
    gfx.Draw(plat::Primitive::TriangleList, quad, 2);
    gfx.BindTexture(0);
}

