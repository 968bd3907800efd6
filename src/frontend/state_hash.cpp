#include "frontend/state_hash.h"

#include <array>
#include <cstring>
#include <iterator>
#include <type_traits>

#include "enemies/behaviours.h"
#include "enemies/enemy_pool.h"
#include "enemies/models.h"
#include "enemies/polygons.h"
#include "game/enemy_bullets.h"
#include "frontend/hud.h"
#include "game/mission_report.h"
#include "frontend/menu.h"
#include "game/level_screens.h"
#include "game/level_state.h"
#include "game/game_flow.h"
#include "game/particles.h"
#include "game/particle_colours.h"
#include "game/shot_shapes.h"
#include "shell/options.h"
#include "game/pickups.h"
#include "game/player_shots.h"
#include "game/ship.h"
#include "game/weapons.h"
#include "shell/bindings.h"
#include "world/world.h"
#include "shell/random.h"
#include "world/fields.h"

void StateHasher::Add(const void* data, size_t size) {
    const unsigned char* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        h_ ^= p[i];
        h_ *= 1099511628211ull;
    }
}

namespace {

// Little-endian, as every build of the game stores numbers.
template <typename Number>
const unsigned char* BytesOf(const Number& v) {
    return reinterpret_cast<const unsigned char*>(&v);
}

}  // namespace

uint64_t HashGameState() {
    StateHasher h;
    ForEachNumber<Walk::Hash>(W, [&h](const auto& v) { h.Add(v); });
    h.Add(RandomState());
    return h.value();
}

size_t SnapshotBytes() {
    size_t n = sizeof(uint32_t);
    ForEachNumber(W, [&n](const auto& v) { n += sizeof v; });
    return n;
}

void TakeSnapshot(std::vector<unsigned char>& out) {
    out.clear();
    const uint32_t random = RandomState();
    out.insert(out.end(), BytesOf(random), BytesOf(random) + sizeof random);
    ForEachNumber(W, [&out](const auto& v) { out.insert(out.end(), BytesOf(v), BytesOf(v) + sizeof v); });
}

void PutSnapshot(const std::vector<unsigned char>& in) {
    const unsigned char* at = in.data();
    uint32_t random;
    std::memcpy(&random, at, sizeof random);
    at += sizeof random;
    ForEachNumber(W, [&at](auto& v) {
        std::memcpy(&v, at, sizeof v);
        at += sizeof v;
    });
    SeedRandom(random);
}

namespace {

bool In(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }
template <size_t N>
bool AllIn(const std::array<int32_t, N>& v, int32_t lo, int32_t hi) {
    for (int32_t x : v)
        if (!In(x, lo, hi)) return false;
    return true;
}
// Far beyond anything in play (culled a few hundred units past the playfield) yet far from where
// float arithmetic and conversions to int break down.
bool Sane(float v) { return v >= -1e6f && v <= 1e6f; }  // false for NaN too
template <typename... F>
bool AllSane(F... v) {
    return (Sane(v) && ...);
}

constexpr int32_t kLongest = 1 << 28;  // frames: weeks of play, far from overflowing a count
constexpr int32_t kAngle = 359;

// Turns are wrapped into the tables where they are used; they only must not overflow on the way.
bool Turn(int32_t v) { return In(v, -kLongest, kLongest); }

// A model's spare records are all zero: no shape, never drawn.
bool PossiblePoly(const Poly& p) {
    return In(p.shape, 0, kShapeCount - 1) && In(p.sides, 0, kMaxSides) && In(p.colourGroup, 0, kColourGroups - 1) &&
           Turn(p.angle) && Turn(p.orbitAngle) && Turn(p.spin) && Turn(p.orbitStep) &&
           AllSane(p.offsetX, p.offsetY, p.baseX, p.baseY, p.scaleX, p.scaleY, p.radius, p.pivotX, p.pivotY);
}

bool PossibleEntity(const Enemy& e, int32_t models) {
    if (!In(e.modelType, 0, models - 1) || !In(e.behaviour, 0, kBehaviourCount - 1) || !In(e.polyCount, 0, kMaxPolys) ||
        !Turn(e.orbitAngle) || !Turn(e.orbitStep) || !In(e.age, 0, kLongest) ||
        !AllSane(e.x, e.y, e.baseX, e.baseY, e.vx, e.vy, e.pivotX, e.pivotY))
        return false;
    for (int i = 0; i < e.polyCount; ++i)
        if (!PossiblePoly(e.polys[i])) return false;
    return true;
}

bool PossibleParticle(const Shard& s, int32_t kinds) {
    // A shard fades on past zero before it is freed.
    return !s.active || (In(s.colourKind, 0, kinds - 1) && Turn(s.angle) && Turn(s.spin) &&
                         In(s.life, -kAngle, kLongest) && In(s.fadeStep, 0, kAngle) && AllSane(s.x, s.y, s.size, s.vx, s.vy));
}

// What each menu action's item holds: how many values it steps through (0 = fixed), and for a fixed
// one the values it may carry (a page, a binding, a replay).
struct ItemRule {
    int32_t count, lo, hi;
};
constexpr ItemRule kItemRules[] = {
    {-1, 0, 0}, {-1, 0, 0}, {0, 0, 0} /* start */, {0, PageMain, PageRecords}, {0, 0, 0} /* quit */,
    {2, 0, 0} /* speed */, {4, 0, 0}, {4, 0, 0}, {3, 0, 0} /* display */, {2, 0, 0}, {kResolutionChoices, 0, 0},
    {0, 0, 6} /* redefine */, {0, PageMain, PageRecords}, {0, 0, 0} /* boss rush */, {kVolumeSteps + 1, 0, 0},
    {kVolumeSteps + 1, 0, 0}, {0, ReplayLast, ReplayBest} /* watch */, {kEffectsChoices, 0, 0},
    {0, ReplayBest, ReplayRush} /* a record's row */, {kSmoothingChoices, 0, 0},
};

bool PossibleMenu() {
    if (!In(W.MenuPage, PageMain, PageRecords) || !In(W.MenuItemCount, 1, kMenuItems) || !In(W.MenuCursor, 0, W.MenuItemCount - 1))
        return false;
    for (int i = 0; i < W.MenuItemCount; ++i) {
        const MenuItem& item = W.MenuItems[i];
        if (!In(item.action, 0, static_cast<int32_t>(std::size(kItemRules)) - 1)) return false;
        const ItemRule& rule = kItemRules[item.action];
        const bool valueOk = rule.count > 0 ? In(item.value, 0, rule.count - 1) : In(item.value, rule.lo, rule.hi);
        if (rule.count < 0 || item.count != rule.count || !valueOk || !std::memchr(item.text.data(), 0, sizeof item.text))
            return false;
    }
    return true;
}

}  // namespace

const char* ImpossibleGameState() {
    if (!In(W.Program.GameMode, Mode::Menu, Mode::CaptureBinding) || W.Program.GameMode == 3) return "mode";
    if (!In(W.Program.SpeedSetting, 0, 1) || !In(W.Game.PlayType, Play::FullGame, Play::BossFight) || !In(W.Game.BossRush, 0, 1) ||
        !In(W.Game.CurrentLevel, 0, kLastLevel) || !In(W.Game.WeaponLevel, 0, kLongest) || !In(W.Game.Lives, 0, kLongest) ||
        !In(W.Game.GameOverTimer, 0, kLongest) || !In(W.Game.Held, 0, kLongest) || !In(W.Game.PeakHeld, 0, kLongest) ||
        !AllIn(W.Game.LevelCollected, 0, kLongest))
        return "game";
    if (!AllIn(W.Saved.PracticeUnlocked, 0, 1) || !AllIn(W.Saved.BossUnlocked, 0, 1) || !In(W.Saved.BossRushUnlocked, 0, 1) ||
        !In(W.Saved.ResolutionIndex, 0, kResolutionCount - 1) || !In(W.Saved.ScreenOrientation, 0, 2) ||
        !In(W.Saved.Windowed, 0, 1) || !In(W.Saved.Bindings[SlotJoypadEnabled], 0, 1) || !In(W.Program.UnlockCheatUsed, 0, 1) ||
        !In(W.Host.FastForward, 0, 1))
        return "settings";
    if (!In(W.Level.LevelClock, -1, kLongest) || !In(W.Level.LevelTitleTimer, 0, 200) || !In(W.Level.BossActive, 0, 1) ||
        !In(W.Level.MidBossActive, 0, 1) || !In(W.Level.BossDefeated, 0, 1) || !In(W.Level.BossDeathTimer, 0, kLongest) ||
        !Sane(W.Level.BossBar) || !In(W.Level.BossAlert, 0, kLongest) ||
        !In(W.Level.BossDownClock, 0, kLongest) || !In(W.Level.ReportShowing, 0, 1) ||
        !AllIn(W.Level.BossSlot, -1, kEnemyPoolSize - 1) || !AllIn(W.Level.MidBossSlot, -1, kEnemyPoolSize - 1))
        return "level";
    if (!In(W.EnemyCursor, -1, kEnemyPoolSize - 1)) return "enemy cursor";
    for (const Enemy& e : W.EnemyPool)
        if (e.active && !PossibleEntity(e, kModelTypes)) return "enemy";
    if (!In(W.BulletCursor, -1, kEnemyBulletCount - 1)) return "bullet cursor";
    for (const EnemyBullet& b : W.EnemyBullets)
        if (b.active && !(In(b.kind, 0, kBulletKindCount - 1) && In(b.angle, 0, kAngle) && AllSane(b.radius, b.x, b.y, b.vx, b.vy)))
            return "bullet";
    if (!In(W.EscapeLatch, 0, 1) || !In(W.MenuKeyLatch, 0, 1) || !In(W.PauseLatch, 0, 1) || !In(W.CaptureArmed, 0, 1) ||
        !In(W.CaptureTarget, -1, 6))
        return "latches";
    if (!PossibleEntity(W.PlayerShip, 1) || !AllSane(W.PlayerShip.x, W.PlayerShip.y) || !In(W.PlayerShip.active, 0, 1) ||
        !In(W.RespawnPending, 0, 1) || !In(W.Invulnerable, 0, 1) || !In(W.RespawnTimer, 0, kLongest) ||
        !In(W.TrackedShard, -1, kShardPool - 1) || !In(W.VerticalMove, 0, 2) || !In(W.ShieldTimer, 0, kLongest) ||
        !In(W.ShieldHits, 0, kLongest) || !In(W.Presentation.ShakeAmount, 0, kLongest))
        return "ship";
    if (!In(W.ShardCursor, -1, kShardPool - 1) || !In(W.SparkCursor, -1, kSparkPool - 1) || !In(W.GlowCursor, -1, kGlowPool - 1))
        return "particle cursors";
    for (const Shard& s : W.Shards)
        if (!PossibleParticle(s, kShardColourKinds)) return "shard";
    for (const Spark& s : W.Sparks)
        if (!PossibleParticle(s, kSparkColourKinds)) return "spark";
    for (const Glow& g : W.Glows)
        if (g.life && !(In(g.life, 0, kLongest) && In(g.kind, 0, 5) && AllSane(g.x, g.y, g.vx, g.vy, g.gravity))) return "glow";
    if (!In(W.BossSpawnPending, 0, 1) || !In(W.FireLatch, 0, 1) || !In(W.MainGunTimer, 0, kLongest) ||
        !In(W.SideGunTimer, 0, kLongest) || !In(W.RearGunTimer, 0, kLongest))
        return "guns";
    if (!In(W.ShotCursor, -1, kPlayerShotPool - 1)) return "shot cursor";
    for (const PlayerShot& s : W.PlayerShots)
        if (s.active && !(In(s.kind, 0, kShotKinds - 1) && AllSane(s.x, s.y, s.vx, s.vy))) return "shot";
    if (!In(W.PickupCursor, -1, kPickupPool - 1) || !AllIn(W.PickupWobble, 0, kAngle)) return "pickup cursor";
    for (const Pickup& p : W.Pickups)
        if (p.active && !(In(p.kind, EnergyPickup, WeaponPickup) && In(p.phase, 0, kAngle) && In(p.homing, 0, 1) &&
                          AllSane(p.speed, p.size, p.x, p.y, p.vx, p.vy)))
            return "pickup";
    if (!PossibleMenu()) return "menu";
    if (!In(W.Report.tick, 0, 3) || !In(W.Report.collected, 0, kLongest) || !In(W.Report.held, 0, kLongest) ||
        !In(W.Report.best, 0, kLongest) || !In(W.Report.practiceFlash, 0, kLongest) || !In(W.Report.bossFlash, 0, kLongest) ||
        !In(W.Report.bossRushFlash, 0, kLongest) || !In(W.PilotRank, 0, 4))
        return "report";
    if (!In(W.WarningPulseAngle, 0, kAngle) || !In(W.StatusPulseAngle, 0, kAngle) || !In(W.WarningPulse, -kLongest, kLongest) ||
        !In(W.StatusPulse, -kLongest, kLongest))
        return "pulses";
    if (!In(W.MusicFadeLevel, 0, 255) || !In(W.MusicTrack, -1, 1)) return "music";
    if (!In(W.Level.ScreenShown, NoScreen, PilotStatusScreen) || !AllIn(W.Presentation.FlamePhase, 0, kAngle) ||
        !In(W.Presentation.HudBlink, 0, 16) || !In(W.Presentation.BarBlink, 0, 5) || !In(W.Presentation.TitleFade, 0, 255) || !In(W.Presentation.ShieldRotation, 0, 60) ||
        !In(W.Presentation.WaveFlashRequest, 0, 1) || !In(W.Presentation.WaveR, 0, 255) || !In(W.Presentation.WaveG, 0, 255) || !In(W.Presentation.WaveB, 0, 255) ||
        !In(W.EnemiesKilled, 0, kLongest))
        return "pictures";
    bool sane = true;
    ForEachNumber(W, [&sane](const auto& v) {
        if constexpr (std::is_floating_point_v<std::remove_cvref_t<decltype(v)>>) sane = sane && Sane(v);
    });
    if (!sane) return "a position or size";
    return nullptr;
}
