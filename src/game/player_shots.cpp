#include "game/player_shots.h"

#include <cmath>

#include "world/sounds.h"
#include "enemies/enemy_pool.h"
#include "enemies/polygons.h"
#include "game/level_state.h"
#include "game/particles.h"
#include "game/pickups.h"
#include "game/ship_life.h"
#include "game/shot_shapes.h"
#include "world/world.h"

namespace {

struct KindInfo {
    float vx, vy;
    int muzzle;  // glow direction, -1 = no muzzle glows
    float glowX, glowY;
};

constexpr KindInfo kKinds[15] = {
    {0, -10, 0, 2, -7},     {-2, -9.8f, 3, 8, -15}, {2, -9.8f, 4, -4, -15}, {-4, -9.2f, -1, 0, 0},
    {4, -9.2f, -1, 0, 0},   {10, 0, 1, 4, 0},       {-10, 0, 2, -2, -4},    {9.8f, -2, -1, 0, 0},
    {-9.8f, -2, -1, 0, 0},  {9.8f, 2, -1, 0, 0},    {-9.8f, 2, -1, 0, 0},   {-6, -8.6f, -1, 0, 0},
    {6, -8.6f, -1, 0, 0},   {-8, -8, -1, 0, 0},     {8, -8, -1, 0, 0},
};

// Spawn hit points of each level's boss and mid-boss; the bar moves by 180 / H per point of damage.
constexpr float kBossBarFactor[kLevelCount] = {180.0f / 18000, 180.0f / 33000, 180.0f / 81200, 180.0f / 100000};
constexpr float kMidBossBarFactor[kLevelCount] = {180.0f / 2100, 180.0f / 9000, 180.0f / 26000, 180.0f / 40000};
// Where the level script goes on once each level's mid-boss is down; level 1 waits for it by itself.
constexpr int32_t kMidBossClock[kLevelCount] = {-1, 8000, 4900, 10000};

// Fill alpha is the byte itself; the outlines are half-alpha records.
constexpr uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }

void EnemyDestroyed(PlayerShot& shot, Enemy& enemy, int index) {
    if (W.Level.MidBossSlot[0] == index) {
        W.Level.MidBossSlot[0] = -1;
        W.Level.MidBossActive = 0;
        W.Level.BossBar = 0;
    }
    for (int k = 1; k < kLevelCount; ++k) {
        if (W.Level.MidBossSlot[k] != index) continue;
        W.Level.LevelClock = kMidBossClock[k];
        W.Level.MidBossSlot[k] = -1;
        W.Level.MidBossActive = 0;
    }
    for (int k = 0; k < kLevelCount; ++k)
        if (W.Level.BossSlot[k] == index) W.Level.BossDefeated = 1;
    if (enemy.DropDone == 0) {
        SpawnPickup(enemy.x, enemy.y, enemy.DropKind);
        enemy.DropDone = 1;
    }
    Explode(enemy.modelType, enemy.x, enemy.y);
    if (enemy.active == 1) ++W.EnemiesKilled;
    enemy.active = 0;
    PlayExplosionSound();
    shot.active = 0;
}

}  // namespace

int SpawnPlayerShot(int kind, float x, float y, float vx, float vy) {
    if (kind < kReflectedShot || kind >= kReflectedKind) return -1;
    int slot = -1;
    for (int i = 0; i < kPlayerShotPool; ++i) {
        W.ShotCursor = (W.ShotCursor + 1) % kPlayerShotPool;
        if (W.PlayerShots[W.ShotCursor].active == 0) {
            slot = W.ShotCursor;
            break;
        }
    }
    if (slot < 0) return -1;
    PlayerShot& s = W.PlayerShots[slot];
    s.active = 1;
    s.kind = kind;
    s.x = x;
    s.y = y;
    s.outlined = 1;
    s.reflected = 0;
    if (kind == kReflectedShot) {
        // A bullet sent back: it keeps its speed, and the small square is centred where the bullet was.
        s.kind = kReflectedKind;
        s.reflected = 1;
        s.vx = vx;
        s.vy = vy;
        s.x -= 3;
        s.y += 3;
        return slot;
    }
    const KindInfo& k = kKinds[kind];
    s.vx = k.vx;
    s.vy = k.vy;
    if (k.muzzle >= 0) SpawnMuzzleGlows(x + k.glowX, y + k.glowY, k.muzzle);
    return slot;
}

void ClearPlayerShots() {
    for (PlayerShot& s : W.PlayerShots) s.active = 0;
}

void MovePlayerShots() {
    for (PlayerShot& s : W.PlayerShots) {
        if (s.active != 1 || s.kind < 0 || s.kind > kReflectedKind) continue;
        s.x += s.vx;
        s.y += s.vy;
    }
}

void TrailReflectedShots() {
    for (const PlayerShot& s : W.PlayerShots)
        if (s.active == 1 && s.kind == kReflectedKind) SpawnGlow(s.x + 3, s.y - 3, 0, 0, 5);
}

void CollidePlayerShots() {
    for (int i = 0; i < kPlayerShotPool; ++i) {
        PlayerShot& s = W.PlayerShots[i];
        if (s.active != 1) continue;
        // No lower edge: a shot going down lives until it leaves by a side.
        if (s.y <= -20 || s.x <= 110 || s.x >= 520) {
            s.active = 0;
            continue;
        }
        const PointF* shape = Content.ShotShapes[s.kind];
        // Every Poly a shot touches is a hit of its own, even once the shot or the enemy is spent.
        for (int e = 0; e < kEnemyPoolSize; ++e) {
            Enemy& enemy = W.EnemyPool[e];
            if (enemy.active != 1) continue;
            for (int p = 0; p < enemy.polyCount && p < kMaxPolys; ++p) {
                const Poly& poly = enemy.polys[p];
                const float cx = enemy.x + poly.offsetX, cy = enemy.y + poly.offsetY;
                for (int v = 0; v < 4; ++v) {
                    const float px = s.x + shape[v].x, py = s.y + shape[v].y;
                    if (!PointsTouch(px, py, cx, cy, poly.radius)) continue;
                    SpawnHitSparks(px, py, s.vx, s.vy);
                    EnemyHit(i, e);
                    break;
                }
            }
        }
    }
}

void EnemyHit(int shotIndex, int enemyIndex) {
    if (shotIndex < 0 || shotIndex >= kPlayerShotPool || enemyIndex < 0 || enemyIndex >= kEnemyPoolSize) return;
    PlayerShot& shot = W.PlayerShots[shotIndex];
    Enemy& enemy = W.EnemyPool[enemyIndex];

    const float damage = shot.kind == kReflectedKind ? 10.0f * W.Game.WeaponLevel + 10.0f : 10.0f;
    enemy.hitPoints = static_cast<int32_t>(std::trunc(static_cast<float>(enemy.hitPoints) - damage));
    enemy.hitFlash = 1;
    PlaySound(Sound::ShotHit);

    // The bar was charged to -180 by the script; zeroing it at the death hides the rounding of the steps.
    for (int k = 0; k < 8; ++k) {
        const int32_t slot = k < 4 ? W.Level.BossSlot[k] : W.Level.MidBossSlot[k - 4];
        if (slot != enemyIndex) continue;
        W.Level.BossBar += damage * (k < 4 ? kBossBarFactor[k] : kMidBossBarFactor[k - 4]);
        if (enemy.hitPoints < 1) W.Level.BossBar = 0;
    }

    if (enemy.hitPoints >= 1) {
        shot.active = 0;
        return;
    }
    EnemyDestroyed(shot, enemy, enemyIndex);
}

int CountPlayerShots() {
    int n = 0;
    for (const PlayerShot& s : W.PlayerShots) n += s.active != 0;
    return n;
}

