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

float WrapPhase(float p) { return p > 180.0f ? p - 360.0f : p; }

int Degrees(int a) {
    a %= 360;
    return a < 0 ? a + 360 : a;
}

int MoveToward(int value, int goal) { return value < goal ? value + 1 : value > goal ? value - 1 : value; }

void Quad(TexturedVertex* v, float x0, float y0, float x1, float y1, uint32_t colour, float v0, float v1) {
    v[0] = {x0, y0, 0, colour, 0, v0};
    v[1] = {x1, y0, 0, colour, 1, v0};
    v[2] = {x0, y1, 0, colour, 0, v1};
    v[3] = {x1, y0, 0, colour, 1, v0};
    v[4] = {x1, y1, 0, colour, 1, v1};
    v[5] = {x0, y1, 0, colour, 0, v1};
}

}  // namespace

void DrawPlayfieldGrid() {
    const uint32_t front = 0x7F585858, deep = 0x1F282828;
    for (int x = 192; x <= 448; x += 64) AddLine(x, 0, front, x, 512, front);
    for (int i = 0; i <= 448; i += 64) {
        float y = std::trunc(i + W.Presentation.PlayfieldScroll);
        AddLine(128, y, front, 512, y, front);
    }
    // A dimmer grid 200 units behind, which seems to move more slowly.
    for (int x = 96; x <= 544; x += 64) AddLineDepth(x, -100, deep, x, 640, deep, -200);
    for (int i = 0; i <= 704; i += 64) {
        float y = std::trunc(i + W.Presentation.PlayfieldScroll - 110);
        AddLineDepth(0, y, deep, 640, y, deep, -200);
    }
}

void AdvancePlayfieldGrid() {
    if (W.Program.GameMode != Mode::Playing) return;
    W.Presentation.PlayfieldScroll += 2;
    if (W.Presentation.PlayfieldScroll >= 64) W.Presentation.PlayfieldScroll = 0;
}

void AdvanceBackgroundGrid() {
    W.Presentation.gridOffsetX += 0.2f;
    W.Presentation.gridOffsetY += 0.5f;
    if (W.Presentation.gridOffsetX > 64) W.Presentation.gridOffsetX -= 64;
    if (W.Presentation.gridOffsetY > 64) W.Presentation.gridOffsetY -= 64;
}

void DrawBackgroundGrid() {
    for (int i = 0; i <= 8; ++i) AddLine(0, 64 * i - W.Presentation.gridOffsetY, 0xFF101010, 640, 64 * i - W.Presentation.gridOffsetY, 0xFF404040);
    for (int i = 0; i <= 11; ++i)
        AddLine(64 * i - W.Presentation.gridOffsetX, 0, 0xFF101010, 64 * i - W.Presentation.gridOffsetX, 512, 0xFF404040);
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

void AdvanceBackgroundWaves(int32_t bossAlert) {
    if (W.Program.GameMode != Mode::Paused) {
        static const float kSpeed[4] = {0.5f, 1.0f, 0.7f, 1.3f};
        for (int i = 0; i < 4; ++i) W.Presentation.WavePhase[i] = WrapPhase(W.Presentation.WavePhase[i] + kSpeed[i]);
    }
    int goalR = 4, goalG = 64, goalB = 8;  // dim green; dim red while the boss warning shows
    if (bossAlert == 1) goalR = 64, goalG = 4, goalB = 4;
    if (W.Presentation.WaveFlashRequest == 1 && W.Presentation.WaveR > 63) {
        W.Presentation.WaveR = 128, W.Presentation.WaveG = 0, W.Presentation.WaveB = 0;
        W.Presentation.WaveFlashRequest = 0;
    }
    if (W.Program.GameMode == Mode::Menu) W.Presentation.WaveR = W.Presentation.WaveG = W.Presentation.WaveB = 0;  // they fade in when a game starts
    W.Presentation.WaveR = MoveToward(W.Presentation.WaveR, goalR);
    W.Presentation.WaveG = MoveToward(W.Presentation.WaveG, goalG);
    W.Presentation.WaveB = MoveToward(W.Presentation.WaveB, goalB);
}

void DrawBackgroundWaves() {
    uint32_t colour = static_cast<uint32_t>(W.Presentation.WaveR << 16 | W.Presentation.WaveG << 8 | W.Presentation.WaveB);

    static const float kFrequency[4] = {1.0f, 0.5f, 0.7f, 0.8f};
    if (Batches.ClassicDrawing) {
        for (int i = 0; i < 4; ++i) DrawWaveBand(220, kFrequency[i], W.Presentation.WavePhase[i], colour);
        for (int i = 0; i < 4; ++i) DrawWaveBand(420, -kFrequency[i], -W.Presentation.WavePhase[i], colour);
        return;
    }
    // Only the light of each band, only between the side masks (a unit inside them: they hide the rest),
    // all eight in one draw. The bands are larger than their texture on screen, so the full-size image
    // alone gives the same texels.
    bool light = LightPicture();
    // Bands held nearly black (the menu's) add a level at most, only along their cores: the light
    // picture leaves them out.
    if (light && std::max({W.Presentation.WaveR, W.Presentation.WaveG, W.Presentation.WaveB}) <= 1) return;
    int vertices = 0, ends = 0;
    for (int i = 0; i < 8; ++i) {
        float sign = i < 4 ? 1.0f : -1.0f;
        BandStrip(i < 4 ? 220.0f : 420.0f, sign * kFrequency[i % 4], sign * W.Presentation.WavePhase[i % 4], colour);
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

void AdvanceShieldRings() {
    if (W.Program.GameMode == Mode::Paused) return;
    for (int ring = 0; ring < kShieldRings; ++ring) {
        W.Presentation.ShieldRotation += 4;
        if (W.Presentation.ShieldRotation > 60) W.Presentation.ShieldRotation -= 60;
    }
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

void DrawShieldRings(float shipX, float shipY, int32_t shieldTimer) {
    if (shieldTimer == 0) return;
    // Each ring is a turn further on than the one before, the last where the rotation now stands.
    const bool turning = W.Program.GameMode != Mode::Paused;
    int turns[kShieldRings];
    int q = W.Presentation.ShieldRotation;
    for (int ring = kShieldRings - 1; ring >= 0; --ring) {
        turns[ring] = q;
        if (turning) q = q > 4 ? q - 4 : q + 56;
    }
    for (int ring = 0; ring < kShieldRings; ++ring) DrawShieldRing(shipX, shipY, shieldTimer, turns[ring]);
}

void AdvanceTitleLogo() {
    static const float kSpeed[3] = {1.0f, 0.3f, 0.8f};
    for (int i = 0; i < 3; ++i) W.Presentation.logoPhase[i] = WrapPhase(W.Presentation.logoPhase[i] + kSpeed[i]);
}

void DrawTitleLogo(float x, float y) {
    for (int layer = 0; layer < 4; ++layer) {
        uint32_t colour = 0xFFFFFFFF;
        if (layer > 0) {
            uint32_t g = static_cast<uint32_t>(std::trunc(std::sin(W.Presentation.logoPhase[layer - 1] * kDegree) * 120 + 128));
            colour = 0xFF000000 | g * 0x010101;
        }
        Quad(&BV.logoQuads[layer * 6], x, y, x + 300, y + 150, colour, layer / 4.0f, (layer + 1) / 4.0f);
    }
    plat::Gfx& gfx = plat::gfx();
    gfx.BindTexture(Textures.TitleLogoTexture);
    gfx.Draw(plat::Primitive::TriangleList, BV.logoQuads, 8);
    gfx.BindTexture(0);
}

void AdvanceStudioLogo() {
    if (W.Presentation.studioFrame < 512) ++W.Presentation.studioFrame;
    W.Presentation.studioShown = 1;
    if (W.Presentation.studioInterval >= 3 && W.Presentation.studioFrame >= 33 && W.Presentation.studioFrame % W.Presentation.studioInterval == 0) {
        PlaySound(Sound::StudioFlash);
        W.Presentation.studioBrightness = 255;
        W.Presentation.studioInterval /= 2;  // flashes at 64, 96, 112, 120 and 124
    } else if (W.Presentation.studioBrightness < 1) {
        W.Presentation.studioShown = 0;
        return;
    }
    W.Presentation.studioBrightness -= 4;
    if (W.Presentation.studioBrightness < 0) W.Presentation.studioBrightness = 0;
}

void DrawStudioLogo() {
    if (!W.Presentation.studioShown) return;
    TexturedVertex quad[6];
    Quad(quad, 280, 216, 360, 296, static_cast<uint32_t>(W.Presentation.studioBrightness) * 0x010101, 0.0f, 1.0f);
    plat::Gfx& gfx = plat::gfx();
    gfx.BindTexture(Textures.StudioLogoTexture);
    gfx.Draw(plat::Primitive::TriangleList, quad, 2);
    gfx.BindTexture(0);
}

