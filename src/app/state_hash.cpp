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

uint64_t HashGameState() {
    StateHasher h;
    h.Add(GameMode);
    h.Add(SpeedSetting), h.Add(PlayType), h.Add(BossRush), h.Add(CurrentLevel), h.Add(WeaponLevel);
    h.Add(Lives), h.Add(GameOverTimer), h.Add(Held), h.Add(PeakHeld), h.Add(LevelCollected);
    h.Add(HiScore), h.Add(PracticeUnlocked), h.Add(BossUnlocked), h.Add(BossRushUnlocked);
    h.Add(UnlockCheatUsed), h.Add(FastForward), h.Add(ResolutionIndex), h.Add(ScreenOrientation);
    h.Add(Windowed), h.Add(WindowX), h.Add(WindowY);
    h.Add(Bindings), h.Add(PendingBindings);
    h.Add(LevelClock), h.Add(LevelTitleTimer), h.Add(BossActive), h.Add(MidBossActive), h.Add(BossDefeated);
    h.Add(BossDeathTimer), h.Add(BossBar), h.Add(BossAlert), h.Add(BossDownClock), h.Add(ReportShowing);
    h.Add(BossSlot), h.Add(MidBossSlot);
    h.Add(EnemyPool), h.Add(EnemyCursor);
    h.Add(EnemyBullets), h.Add(BulletCursor);
    h.Add(EscapeLatch), h.Add(MenuKeyLatch), h.Add(PauseLatch), h.Add(CaptureArmed), h.Add(CaptureTarget);
    h.Add(PlayerShip.x), h.Add(PlayerShip.y), h.Add(PlayerShip.active), h.Add(RespawnPending), h.Add(Invulnerable);
    h.Add(RespawnTimer), h.Add(TrackedShard), h.Add(VerticalMove), h.Add(ShieldTimer), h.Add(ShieldHits);
    h.Add(Shards), h.Add(Sparks), h.Add(Glows), h.Add(ShardCursor), h.Add(SparkCursor), h.Add(GlowCursor);
    h.Add(BossSpawnPending);
    h.Add(FireLatch), h.Add(MainGunTimer), h.Add(SideGunTimer), h.Add(RearGunTimer);
    h.Add(PlayerShots), h.Add(ShotCursor), h.Add(Pickups), h.Add(PickupCursor), h.Add(PickupWobble);
    h.Add(MenuPage), h.Add(MenuItems), h.Add(MenuItemCount), h.Add(MenuCursor), h.Add(Report), h.Add(PilotRank);
    h.Add(WarningPulseAngle), h.Add(WarningPulse), h.Add(StatusPulseAngle), h.Add(StatusPulse);
    h.Add(MusicFadeLevel), h.Add(MusicTrack);
    h.Add(RandomState());
    return h.value();
}
