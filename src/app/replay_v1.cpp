#include "app/replay_v1.h"

#include <cstring>

#include "frontend/state_hash.h"
#include "shell/random.h"
#include "world/world.h"

namespace {

// The records as that format laid them out, byte for byte.
static_assert(sizeof(Enemy) == 6476 && sizeof(EnemyBullet) == 36 && sizeof(Shard) == 44 && sizeof(Glow) == 28 &&
              sizeof(PlayerShot) == 32 && sizeof(Pickup) == 44 && sizeof(MenuItem) == 64 &&
              sizeof(MissionReportState) == 28 && sizeof(SavedVars) == 116 && sizeof(GameVars) == 48);

template <typename F, typename... Parts>
void Each(F& visit, Parts&... parts) {
    (visit(&parts, sizeof parts), ...);
}

// The list, in its order: what the hash saw, then the random generator, the ship and the shake.
template <typename F>
void WalkV1(F& visit, uint32_t& random, bool snapshot) {
    Each(visit, W.Program.GameMode);
    Each(visit, W.Program.SpeedSetting, W.Game.PlayType, W.Game.BossRush, W.Game.CurrentLevel, W.Game.WeaponLevel);
    Each(visit, W.Game.Lives, W.Game.GameOverTimer, W.Game.Held, W.Game.PeakHeld, W.Game.LevelCollected);
    Each(visit, W.Saved.HiScore, W.Saved.PracticeUnlocked, W.Saved.BossUnlocked, W.Saved.BossRushUnlocked);
    Each(visit, W.Program.UnlockCheatUsed, W.Host.FastForward, W.Saved.ResolutionIndex, W.Saved.ScreenOrientation);
    Each(visit, W.Saved.Windowed, W.Saved.WindowX, W.Saved.WindowY);
    Each(visit, W.Saved.Bindings, W.PendingBindings);
    Each(visit, W.Level.LevelClock, W.Level.LevelTitleTimer, W.Level.BossActive, W.Level.MidBossActive, W.Level.BossDefeated);
    Each(visit, W.Level.BossDeathTimer, W.Level.BossBar, W.Level.BossAlert, W.Level.BossDownClock, W.Level.ReportShowing);
    Each(visit, W.Level.BossSlot, W.Level.MidBossSlot);
    Each(visit, W.EnemyPool, W.EnemyCursor);
    Each(visit, W.EnemyBullets, W.BulletCursor);
    Each(visit, W.EscapeLatch, W.MenuKeyLatch, W.PauseLatch, W.CaptureArmed, W.CaptureTarget);
    Each(visit, W.PlayerShip.x, W.PlayerShip.y, W.PlayerShip.active, W.RespawnPending, W.Invulnerable);
    Each(visit, W.RespawnTimer, W.TrackedShard, W.VerticalMove, W.ShieldTimer, W.ShieldHits);
    Each(visit, W.Shards, W.Sparks, W.Glows, W.ShardCursor, W.SparkCursor, W.GlowCursor);
    Each(visit, W.BossSpawnPending);
    Each(visit, W.FireLatch, W.MainGunTimer, W.SideGunTimer, W.RearGunTimer);
    Each(visit, W.PlayerShots, W.ShotCursor, W.Pickups, W.PickupCursor, W.PickupWobble);
    Each(visit, W.MenuPage, W.MenuItems, W.MenuItemCount, W.MenuCursor, W.Report, W.PilotRank);
    Each(visit, W.WarningPulseAngle, W.WarningPulse, W.StatusPulseAngle, W.StatusPulse);
    Each(visit, W.MusicFadeLevel, W.MusicTrack);
    if (!snapshot) return;
    Each(visit, random, W.PlayerShip, W.Presentation.ShakeAmount);
}

}  // namespace

size_t V1SnapshotSize() {
    size_t n = 0;
    uint32_t random = 0;
    auto count = [&n](void*, size_t size) { n += size; };
    WalkV1(count, random, true);
    return n;
}

void PutV1Snapshot(const std::vector<unsigned char>& in) {
    size_t at = 0;
    uint32_t random = 0;
    auto put = [&](void* data, size_t size) {
        std::memcpy(data, in.data() + at, size);
        at += size;
    };
    WalkV1(put, random, true);
    SeedRandom(random);
}

uint64_t HashGameStateV1() {
    StateHasher h;
    uint32_t random = 0;
    auto add = [&h](void* data, size_t size) { h.Add(data, size); };
    WalkV1(add, random, false);
    h.Add(RandomState());
    return h.value();
}
