#include "game/particles.h"

#include <cmath>
#include <cstring>

#include "enemies/models.h"
#include "enemies/polygons.h"
#include "game/level_state.h"
#include "game/particle_colours.h"
#include "game/ship.h"
#include "world/world.h"
#include "shell/random.h"
#include "shell/trig.h"

namespace {

// Round-robin from the slot after the last one used, one lap at most; -1 when full.
template <typename Free>
int Allocate(int32_t& cursor, int size, Free isFree) {
    for (int i = 0; i < size; ++i) {
        cursor = (cursor + 1) % size;
        if (isFree(cursor)) return cursor;
    }
    return -1;
}

void Fill(Shard& s, int kind, int life, int fadeStep, float x, float y, float size, float vx, float vy, int angle,
          int spin) {
    s = {1, kind, life, fadeStep, x, y, size, vx, vy, angle, spin};
}

int R(int m) { return Random() % m; }

// Default shard of an enemy explosion; the caller overrides what its group changes.
struct ShardSpec {
    int kind, life;
    float x, y, size, vx, vy;
    int angle, spin;
};

ShardSpec DefaultShard(float x, float y) {
    ShardSpec s;
    s.kind = R(2);
    s.life = (R(10) + 10) * 5;
    s.vx = R(400) * 0.005f - 1.0f;
    s.vy = R(400) * 0.005f - 1.0f;
    s.angle = R(360);
    s.spin = R(13) - 6;
    s.x = x + (R(9) - 4);
    s.y = y + (R(9) - 4);
    s.size = 0;
    return s;
}

void Spawn(const ShardSpec& s) { SpawnShard(s.kind, s.life, 2, s.x, s.y, s.size, s.vx, s.vy, s.angle, s.spin); }

enum Group { Small, Medium, Model9, EndBoss, MidBoss, Ship, None };

Group GroupOf(int type) {
    switch (type) {
        // Level 1's mid-boss bursts as a small craft does.
        case kMidBossModel[0]: case 2: case 4: case 5: case 10: case 17: case 20: case 21: case 22: return Small;
        case 1: case 3: case 6: case 12: case 13: case 14: case 15: case 16: return Medium;
        case 9: return Model9;
        case kBossModel[0]: case kBossModel[1]: case kBossModel[2]: case kBossModel[3]: return EndBoss;
        case kMidBossModel[1]: case kMidBossModel[2]: case kMidBossModel[3]: return MidBoss;
        case kShipExplosion: return Ship;
        default: return None;
    }
}

void MoveSquares(Shard* pool, int size, bool shards) {
    bool playing = W.Program.GameMode == Mode::Playing;
    for (int i = 0; i < size; ++i) {
        Shard& s = pool[i];
        if (s.active != 1) continue;
        if (playing) {
            s.x += s.vx;
            s.y += s.vy;
            s.life -= s.fadeStep;
            s.angle += s.spin;
        }
        s.angle = NormaliseAngle(s.angle);
        if (shards) {
            if (s.life <= -20) {
                s.active = 0;
                if (i == W.TrackedShard) {
                    // The ship's life is counted when the last shard of its explosion fades.
                    W.RespawnPending = 1;
                    --W.Game.Lives;
                    W.TrackedShard = -1;
                }
            }
        } else if (s.life < 1) {
            s.active = 0;
        }
    }
}

}  // namespace

void SpawnShard(int kind, int life, int fadeStep, float x, float y, float size, float vx, float vy, int angle,
                int spin) {
    int slot = Allocate(W.ShardCursor, kShardPool, [](int i) { return W.Shards[i].active == 0; });
    if (slot < 0) return;
    Fill(W.Shards[slot], kind, life, fadeStep, x, y, size, vx, vy, angle, spin);
    if (kind > 1) W.TrackedShard = slot;
}

void SpawnSpark(int kind, int life, int fadeStep, float x, float y, float size, float vx, float vy, int angle,
                int spin) {
    int slot = Allocate(W.SparkCursor, kSparkPool, [](int i) { return W.Sparks[i].active == 0; });
    if (slot < 0) return;
    Fill(W.Sparks[slot], kind, life, fadeStep, x, y, size, vx, vy, angle, spin);
}

void SpawnGlow(float x, float y, float vx, float vy, int kind) {
    int slot = Allocate(W.GlowCursor, kGlowPool, [](int i) { return W.Glows[i].life == 0; });
    if (slot < 0) return;
    W.Glows[slot] = {64, kind, x, y, vx, vy, (Random() % 1000) / 30000.0f + 0.005f};
}

void Explode(int type, float x, float y) {
    W.Presentation.ShakeAmount = 12;  // the screen shakes
    switch (GroupOf(type)) {
        case Small:
        case Medium:
            for (int i = 0; i < 16; ++i) {
                ShardSpec s = DefaultShard(x, y);
                s.size = static_cast<float>(GroupOf(type) == Small ? R(10) + 5 : R(16) + 5);
                Spawn(s);
            }
            break;
        case Model9:
            for (int i = 0; i < 20; ++i) {
                ShardSpec s = DefaultShard(x, y);
                s.size = static_cast<float>(R(16) + 5);
                s.x = x + (R(19) - 8);
                s.y = y + (R(19) - 8);
                Spawn(s);
            }
            break;
        case EndBoss: {
            float cx = x + (R(180) - 90), cy = y + (R(160) - 80);
            for (int i = 0; i < 20; ++i) {
                ShardSpec s = DefaultShard(cx, cy);
                s.size = static_cast<float>(R(20) + 5);
                s.vx = R(800) * 0.005f - 2.0f;
                s.vy = R(800) * 0.005f - 2.0f;
                Spawn(s);
            }
            if (W.Level.BossDeathTimer % 100 == 0) {
                for (int i = 0; i < 20; ++i) {
                    ShardSpec s = DefaultShard(x, y);
                    s.size = static_cast<float>(R(25) + 5);
                    s.x = x + (R(160) - 80);
                    s.y = y + (R(160) - 80);
                    Spawn(s);
                }
            }
            break;
        }
        case MidBoss:
            for (int group = 0; group < 8; ++group) {
                float cx = x + (R(140) - 70), cy = y + (R(140) - 70);
                for (int i = 0; i < 16; ++i) {
                    ShardSpec s = DefaultShard(cx, cy);
                    s.size = static_cast<float>(R(18) + 5);
                    Spawn(s);
                }
            }
            break;
        case Ship:
            for (int i = 0; i < 22; ++i) {
                ShardSpec s = DefaultShard(x, y);
                s.kind = 2 + R(2);
                s.life = (R(10) + 12) * 5;
                s.size = static_cast<float>(R(15) + 5);
                s.spin = R(21) - 10;
                s.x = x + (R(13) - 6);
                s.y = y + (R(13) - 6);
                Spawn(s);
            }
            break;
        case None:
            break;
    }
}

void SpawnHitSparks(float x, float y, float shotVx, float shotVy) {
    for (int i = 0; i < 8; ++i) {
        int kind = R(3);
        int life = (R(10) + 10) * 5;
        float px = x + (R(9) - 4), py = y + (R(9) - 4);
        float size = static_cast<float>(R(2) + 2);
        float vx = 1.2f * Content.CosTable[R(360)] - 0.2f * shotVx;
        float vy = -shotVy / (R(5) + 5.5f);
        int angle = R(360);
        int spin = R(13) - 6;
        SpawnSpark(kind, life, 4, px, py, size, vx, vy, angle, spin);
    }
}

void SpawnMuzzleGlows(float x, float y, int direction) {
    float vx = 0, vy = 0;
    for (int i = 0; i < 4; ++i) {
        switch (direction) {
            case 0: vx = (R(50) - 25) * 0.02f; vy = R(100) * 0.02f; break;
            case 1: vx = -R(100) * 0.02f; vy = (R(50) - 25) * 0.02f; break;
            case 2: vx = R(100) * 0.02f; vy = (R(50) - 25) * 0.02f; break;
            case 3: vx = -R(50) * 0.02f; vy = R(100) * 0.02f; break;
            case 4: vx = R(50) * 0.02f; vy = R(100) * 0.02f; break;
            default: return;
        }
        SpawnGlow(x, y, vx, vy, 3);
    }
    SpawnGlow(x, y, vx, vy, 4);
}

void SpawnEnergySparkle(float x, float y) {
    for (int i = 0; i < 30; ++i) {
        float vx = (R(50) + 50) / 60.0f;
        if (R(2)) vx = -vx;
        float vy = (R(100) + 50) / 150.0f;
        SpawnGlow(x, y, vx, vy, 0);
    }
}

void SpawnWeaponSparkle(float x, float y) {
    for (int i = 0; i < 30; ++i) {
        float vx = (R(100) + 50) / 60.0f;
        if (R(2)) vx = -vx;
        float vy = (R(100) + 50) / 60.0f;
        if (R(2)) vy = -vy;
        SpawnGlow(x, y, vx, vy, 1);
    }
}

void SpawnFireworkBurst(float x, float y) {
    for (int i = 0; i < 33; ++i) {
        float speed = i < 30 ? (R(60) + 80) / 150.0f : (R(160) + 100) / 100.0f;
        int a = R(360);
        SpawnGlow(x, y, speed * Content.SinTable[a], speed * Content.CosTable[a], 2);
    }
}

void MoveShards() { MoveSquares(W.Shards.data(), kShardPool, true); }
void MoveSparks() { MoveSquares(W.Sparks.data(), kSparkPool, false); }

void MoveGlows() {
    float dx = W.PlayerShip.x - W.LastShipX, dy = W.PlayerShip.y - W.LastShipY;
    W.LastShipX = W.PlayerShip.x, W.LastShipY = W.PlayerShip.y;
    if (W.Program.GameMode == Mode::Paused) return;
    for (Glow& g : W.Glows) {
        if (g.life == 0) continue;
        g.x += g.vx;
        g.y += g.vy;
        switch (g.kind) {
            case 2: g.vy += g.gravity; break;
            case 3: g.x += dx, g.y += dy, g.life -= 5; break;
            case 4: g.x += dx / 2, g.y += dy / 2, g.life -= 1; break;
            case 5: g.life -= 1; break;
            default: break;
        }
        if (g.life < 0) g.life = 0;
        if (g.life > 0) --g.life;
    }
}

void ClearShardsAndSparks() {
    for (Shard& s : W.Shards) s.active = 0;
    for (Spark& s : W.Sparks) s.active = 0;
}

void ClearGlows() {
    for (Glow& g : W.Glows) g.life = 0;
}

