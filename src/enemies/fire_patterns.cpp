#include "enemies/fire_patterns.h"

#include <cmath>
#include <cstring>

#include "enemies/enemy_pool.h"
#include "enemies/fire_pattern_table.h"
#include "game/enemy_bullets.h"
#include "world/world.h"

namespace {

using fire::Aim;
using fire::From;
using fire::RingRow;
using fire::SatelliteRow;
using fire::Size;

constexpr int kNone = -1;

// One firing: the enemy and what the caller handed over.
struct Volley {
    const Enemy& e;
    float ox, oy, vx, vy;

    const Poly& poly(int i) const { return e.polys[i]; }

    int Shot(int kind, float radius, int angle) const { return Shot(kind, radius, ox, oy, angle, vx); }
    int Shot(int kind, float radius, float offX, float offY, int angle, float speedX) const {
        return SpawnEnemyBullet(kind, 1, radius, offX, offY, angle, speedX, vy, e.x, e.y);
    }
    // Launched from a Poly's position: the launch offset is turned about that point.
    int ShotFrom(int p, int kind, float radius, float offX, float offY, int angle, float speedX) const {
        return SpawnEnemyBullet(kind, 1, radius, offX, offY, angle, speedX, vy, e.x + poly(p).offsetX,
                                e.y + poly(p).offsetY);
    }
};

float SizeRadius(Size s) { return s == Size::R2 ? kRadiusSquare : kRadiusSlim; }

int KindAt(const char* kinds, int i) {
    const int length = static_cast<int>(std::strlen(kinds));
    const char c = kinds[i % length];
    if (c >= '0' && c <= '9') return c - '0';
    if (c == 'a') return 10;
    return kNone;
}

void FireSatellites(const Volley& v, const SatelliteRow& row) {
    int last = row.last;
    if (row.toPolyCount && last > v.e.polyCount - 1) last = v.e.polyCount - 1;
    if (last > kMaxPolys - 1) last = kMaxPolys - 1;
    for (int p = row.first; p <= last; ++p) {
        const int kind = KindAt(row.kinds, p - row.first);
        if (kind == kNone) continue;
        const float radius = SizeRadius(row.size);
        if (row.launchPoly < 0)
            v.Shot(kind, radius, v.poly(p).orbitAngle);
        else
            v.ShotFrom(row.launchPoly, kind, radius, v.ox, v.oy, v.poly(p).orbitAngle, v.vx);
    }
}

void FireRing(const Volley& v, const RingRow& row) {
    const Poly& p = v.poly(row.poly);
    int aim = 0;
    switch (row.aim) {
        case Aim::Fixed: aim = 0; break;
        case Aim::Angle: aim = p.angle; break;
        case Aim::AngleSpin: aim = p.angle + p.spin; break;
        case Aim::Orbit: aim = p.orbitAngle; break;
    }
    const float radius = SizeRadius(row.size);
    auto launch = [&](int kind, int angle) {
        if (row.from == From::Poly) {
            v.ShotFrom(row.poly, kind, radius, v.ox, v.oy, angle, v.vx);
            return;
        }
        const int b = v.Shot(kind, radius, angle);
        if (row.from == From::MovedToPoly && b != kNoBullet) {
            W.EnemyBullets[b].x += p.offsetX;
            W.EnemyBullets[b].y += p.offsetY;
        }
    };
    for (int k = 0; k < row.count; ++k) {
        const int kind = KindAt(row.kinds, k);
        if (kind == kNone) continue;
        const int angle = aim + row.first + row.step * k;
        launch(kind, angle);
        if (row.twin) launch(kind, angle + row.twin);
    }
}

// 2: the large bullets, one per side of the core.
void FireCoreRing(const Volley& v) {
    const int n = v.poly(0).sides;
    if (n <= 0) return;  // a core without sides has no ring
    for (int j = 0; j < n; ++j)
        SpawnEnemyBullet(1, 0, kRadiusLarge, v.ox, v.oy, j * (360 / n), v.vx, v.vy, v.e.x, v.e.y);
}

// 5: three abreast, the middle one ahead.
void FireAbreast(const Volley& v) {
    const int a = v.poly(0).angle;
    v.Shot(0, kRadiusSquare, v.ox - 16, v.oy, a, v.vx);
    v.Shot(0, kRadiusSquare, v.ox, v.oy - 10, a, v.vx);
    v.Shot(0, kRadiusSquare, v.ox + 16, v.oy, a, v.vx);
}

// 19, 20: five triplets, kind 5 in the middle and kind 4 three degrees either side.
void FireTriplets(const Volley& v, int aim) {
    for (int k = 0; k < 5; ++k) {
        const int a = aim + 72 * k;
        v.Shot(5, kRadiusSlim, a);
        v.Shot(4, kRadiusSlim, a - 3);
        v.Shot(4, kRadiusSlim, a + 3);
    }
}

// 35: backwards from three Polys of the core.
void FireFromCorePolys(const Volley& v) {
    const int a = v.poly(0).angle + 180;
    for (int p = 2; p <= 4; ++p) v.ShotFrom(p, p == 3 ? 4 : 7, kRadiusSlim, v.ox, v.oy, a, v.vx);
}

// 52..55: three fans of fixed angles in steps of 5; the kind follows the parity of a / 5.
struct Fan {
    int from, to;
};
const Fan kFansRight[3] = {{-25, 10}, {45, 60}, {90, 125}};
const Fan kFansLeft[3] = {{-130, -95}, {-65, -50}, {-15, 20}};

void FireFans(const Volley& v, const Fan (&fans)[3], int evenKind, int oddKind) {
    for (const Fan& f : fans)
        for (int a = f.from; a <= f.to; a += 5) v.Shot((a / 5) % 2 == 0 ? evenKind : oddKind, kRadiusSquare, a);
}

// 56: the orbiting ring; Polys 2 and 4 send a triplet whose middle leaves 5 further out.
void FireOrbitRing(const Volley& v) {
    for (int p = 1; p <= 4; ++p) {
        const int a = v.poly(p).orbitAngle;
        if (p % 2 == 1) {
            v.Shot(7, kRadiusSlim, a);
            continue;
        }
        v.Shot(4, kRadiusSlim, a - 3);
        v.Shot(4, kRadiusSlim, a + 3);
        v.Shot(4, kRadiusSlim, v.ox, v.oy - 5, a, v.vx);
    }
}

// 58, 59, 64: a cross from Poly 16's resting place.
void FireCross(const Volley& v, int kind, float radius) {
    const Poly& p = v.poly(16);
    for (int k = 0; k < 4; ++k) v.Shot(kind, radius, p.baseX, p.baseY - 6, p.orbitAngle + 90 * k, v.vx);
}

const int kGunPolys[4] = {28, 41, 54, 68};

// 60, 61, 63: from the four gun Polys' resting places, at their orbitAngles.
void FireGuns(const Volley& v, int pattern) {
    for (int i : kGunPolys) {
        const Poly& p = v.poly(i);
        const int a = p.orbitAngle;
        if (pattern == 60) {
            v.Shot(5, kRadiusSlim, p.baseX, p.baseY - 24, a - 4, v.vx);
            v.Shot(5, kRadiusSlim, p.baseX, p.baseY - 24, a + 4, v.vx);
        } else if (pattern == 61) {
            v.Shot(9, kRadiusSlim, p.baseX, p.baseY - 24, a, v.vx);
        } else {
            v.Shot(2, kRadiusSlim, p.baseX, p.baseY - 24, a, v.vx);
            v.Shot(7, kRadiusSlim, p.baseX, p.baseY - 36, a, v.vx);
        }
    }
}

// 62: each pair of side Polys fires outward, the first of a pair mirrored.
void FireSidePairs(const Volley& v) {
    const int pairs[4][2] = {{29, 30}, {42, 43}, {55, 56}, {69, 70}};
    for (const auto& pair : pairs) {
        v.ShotFrom(pair[0], 4, kRadiusSlim, v.ox, v.oy, v.poly(pair[0]).orbitAngle - 20, -v.vx);
        v.ShotFrom(pair[1], 4, kRadiusSlim, v.ox, v.oy, v.poly(pair[1]).orbitAngle + 20, v.vx);
    }
}

// 72: ten directions, each a kind 10 bullet and a kind 8 bullet 10 further out.
void FireDoubledRing(const Volley& v) {
    const Poly& p = v.poly(1);
    for (int k = 0; k < 10; ++k) {
        const int a = p.angle + p.spin + 36 * k;
        v.Shot(10, kRadiusSquare, a);
        v.Shot(8, kRadiusSquare, v.ox, v.oy - 10, a, v.vx);
    }
}

// 77, 78: two Polys take turns around three directions.
void FireAlternating(const Volley& v, int polyA, int kindA, int polyB, int kindB) {
    for (int i = 0; i < 360; i += 120) {
        v.ShotFrom(polyA, kindA, kRadiusSlim, v.ox, v.oy, v.poly(polyA).angle + i, v.vx);
        v.ShotFrom(polyB, kindB, kRadiusSlim, v.ox, v.oy, v.poly(polyB).angle + i, v.vx);
    }
}

// 119: eighteen directions from four Polys, three rows deep; the rows swap kinds on odd steps.
void FireThreeRows(const Volley& v) {
    const int polys[4] = {37, 39, 41, 43};
    const int kinds[4] = {9, 7, 9, 7};
    for (int k = 0; k < 18; ++k) {
        const int i = 20 * k;
        const bool even = k % 2 == 0;
        for (int j = 0; j < 4; ++j)
            v.ShotFrom(polys[j], even ? kinds[j] : 4, kRadiusSlim, v.ox, v.oy, v.poly(polys[j]).angle + i, v.vx);
        for (int j = 0; j < 4; ++j) {
            const int a = v.poly(polys[j]).angle + i;
            const int kind = even ? 4 : kinds[j];
            v.ShotFrom(polys[j], kind, kRadiusSlim, v.ox, v.oy + 10, a - 2, v.vx);
            v.ShotFrom(polys[j], kind, kRadiusSlim, v.ox, v.oy + 10, a + 2, v.vx);
        }
        for (int j = 0; j < 4; ++j)
            v.ShotFrom(polys[j], even ? kinds[j] : 4, kRadiusSlim, v.ox, v.oy + 20, v.poly(polys[j]).angle + i,
                       v.vx);
    }
}

// The patterns that are not rows of the table; false when the number is not one of them.
bool FireIrregular(const Volley& v, int pattern) {
    switch (pattern) {
        case 2: FireCoreRing(v); return true;
        case 5: FireAbreast(v); return true;
        case 19: FireTriplets(v, v.poly(41).orbitAngle); return true;
        case 20: FireTriplets(v, v.poly(0).angle); return true;
        case 35: FireFromCorePolys(v); return true;
        case 52: FireFans(v, kFansRight, 3, 0); return true;
        case 53: FireFans(v, kFansLeft, 6, 10); return true;
        case 54: FireFans(v, kFansRight, 6, 10); return true;
        case 55: FireFans(v, kFansLeft, 3, 0); return true;
        case 56: FireOrbitRing(v); return true;
        case 58: FireCross(v, 8, kRadiusSquare); return true;
        case 59: FireCross(v, 3, kRadiusSquare); return true;
        case 64: FireCross(v, 4, kRadiusSlim); return true;
        case 60:
        case 61:
        case 63: FireGuns(v, pattern); return true;
        case 62: FireSidePairs(v); return true;
        case 72: FireDoubledRing(v); return true;
        case 77: FireAlternating(v, 57, 5, 58, 4); return true;
        case 78: FireAlternating(v, 59, 2, 61, 9); return true;
        case 119: FireThreeRows(v); return true;
        default: return false;
    }
}

}  // namespace

void FireEnemyPattern(const Enemy& enemy, int32_t pattern, float offsetX, float offsetY, float vx, float vy) {
    if (pattern < 0 || pattern >= kFirePatternCount) return;
    const Volley v{enemy, offsetX, offsetY, vx, vy};
    if (FireIrregular(v, pattern)) return;
    for (int i = 0; i < fire::kSatelliteRowCount; ++i)
        if (fire::kSatelliteRows[i].pattern == pattern) FireSatellites(v, fire::kSatelliteRows[i]);
    for (int i = 0; i < fire::kRingRowCount; ++i)
        if (fire::kRingRows[i].pattern == pattern) FireRing(v, fire::kRingRows[i]);
}

void FireEnemyPattern(int32_t slot, int32_t pattern, float offsetX, float offsetY, float vx, float vy) {
    if (slot < 0 || slot >= kEnemyPoolSize) return;
    FireEnemyPattern(W.EnemyPool[slot], pattern, offsetX, offsetY, vx, vy);
}
