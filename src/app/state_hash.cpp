#include "app/state_hash.h"

#include "audio/audio.h"
#include "enemies/enemy_pool.h"
#include "game/enemy_bullets.h"
#include "frontend/hud.h"
#include "frontend/interstitials.h"
#include "game/mission_report.h"
#include "frontend/menu.h"
#include "game/level_state.h"
#include "game/game_flow.h"
#include "game/particles.h"
#include "game/pickups.h"
#include "game/player_shots.h"
#include "game/ship.h"
#include "game/weapons.h"
#include "shell/bindings.h"
#include "app/input_step.h"
#include "shell/game_vars.h"
#include "shell/random.h"

void StateHasher::Add(const void* data, size_t size) {
    const unsigned char* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        h_ ^= p[i];
        h_ *= 1099511628211ull;
    }
}

namespace {

template <typename... Parts>
void Each(const StateVisitor& visit, Parts&... parts) {
    (visit(&parts, sizeof parts), ...);
}

}  // namespace

void WalkGameState(const StateVisitor& visit) {
    Each(visit, Program.GameMode);
    Each(visit, Program.SpeedSetting, Game.PlayType, Game.BossRush, Game.CurrentLevel, Game.WeaponLevel);
    Each(visit, Game.Lives, Game.GameOverTimer, Game.Held, Game.PeakHeld, Game.LevelCollected);
    Each(visit, Saved.HiScore, Saved.PracticeUnlocked, Saved.BossUnlocked, Saved.BossRushUnlocked);
    Each(visit, Program.UnlockCheatUsed, Program.FastForward, Saved.ResolutionIndex, Saved.ScreenOrientation);
    Each(visit, Saved.Windowed, Saved.WindowX, Saved.WindowY);
    Each(visit, Saved.Bindings, PendingBindings);
    Each(visit, Level.LevelClock, Level.LevelTitleTimer, Level.BossActive, Level.MidBossActive, Level.BossDefeated);
    Each(visit, Level.BossDeathTimer, Level.BossBar, Level.BossAlert, Level.BossDownClock, Level.ReportShowing);
    Each(visit, Level.BossSlot, Level.MidBossSlot);
    Each(visit, EnemyPool, EnemyCursor);
    Each(visit, EnemyBullets, BulletCursor);
    Each(visit, EscapeLatch, MenuKeyLatch, PauseLatch, CaptureArmed, CaptureTarget);
    Each(visit, PlayerShip.x, PlayerShip.y, PlayerShip.active, RespawnPending, Invulnerable);
    Each(visit, RespawnTimer, TrackedShard, VerticalMove, ShieldTimer, ShieldHits);
    Each(visit, Shards, Sparks, Glows, ShardCursor, SparkCursor, GlowCursor);
    Each(visit, BossSpawnPending);
    Each(visit, FireLatch, MainGunTimer, SideGunTimer, RearGunTimer);
    Each(visit, PlayerShots, ShotCursor, Pickups, PickupCursor, PickupWobble);
    Each(visit, MenuPage, MenuItems, MenuItemCount, MenuCursor, Report, PilotRank);
    Each(visit, WarningPulseAngle, WarningPulse, StatusPulseAngle, StatusPulse);
    Each(visit, MusicFadeLevel, MusicTrack);
    // The random generator lives behind a function: the callers take its state themselves.
}

uint64_t HashGameState() {
    StateHasher h;
    WalkGameState([&](void* data, size_t size) { h.Add(data, size); });
    h.Add(RandomState());
    return h.value();
}
