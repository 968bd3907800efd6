#include "game/game_flow.h"

#include <memory>

#include "world/sounds.h"
#include "enemies/behaviours.h"
#include "enemies/enemy_pool.h"
#include "enemies/level_scripts.h"
#include "game/enemy_bullets.h"
#include "game/level_screens.h"
#include "game/mission_report.h"
#include "game/level_state.h"
#include "game/records.h"
#include "game/particles.h"
#include "game/pickups.h"
#include "game/player_shots.h"
#include "game/ship.h"
#include "game/ship_life.h"
#include "game/weapons.h"
#include "enemies/models.h"
#include "enemies/polygons.h"
#include "game/particle_colours.h"
#include "game/shot_shapes.h"
#include "world/world.h"
#include "shell/settings.h"

namespace {

struct BossInfo {
    int model, behaviour, hitPoints, drop, y;
};
constexpr BossInfo kBoss[kLevelCount] = {{kBossModel[0], kBossBehaviour[0], 18000, 1, -130},
                                         {kBossModel[1], kBossBehaviour[1], 33000, 1, -130},
                                         {kBossModel[2], kBossBehaviour[2], 81200, 1, -120},
                                         {kBossModel[3], kBossBehaviour[3], 100000, 2, -120}};
constexpr int kReportEnds[kLevelCount] = {900, 1100, 1400, 1500};  // the report window closes before BossDownClock + R
constexpr int kLeaveAt[3] = {1000, 1200, 1500};          // levels 1..3 leave at BossDownClock + E
constexpr int kBossPracticeEnd = 1000, kRatingStart = 1601, kRatingEnd = 2550;

void TrySpawnBoss() {
    const BossInfo& b = kBoss[W.Game.CurrentLevel];
    SpawnEnemy(b.model, b.behaviour, b.hitPoints, b.drop, 320, b.y, 0, 2.0f, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    if (W.Level.BossSlot[W.Game.CurrentLevel] >= 0) W.BossSpawnPending = 0;
}

void LeaveToMenu() {
    StopMusic();
    W.Program.GameMode = Mode::Menu;
}

// The world as the program started, which every game starts from; and room for the world a game is
// started from, while what it brings is taken over.
struct FlowState {
    std::unique_ptr<World> startUp, before;
};
FlowState Flow;

// What a game takes from before it: the player's settings and files, the program's run (its menu, the
// keys held, the pictures, its counts since start-up). Nothing an earlier game left stays in the next:
// the pools' free slots, their search cursors and the shield's hits would make a game depend on what
// was played before it.
void BringToGame(const World& from) {
    W.Saved = from.Saved;
    W.Program = from.Program;
    W.Host = from.Host;
    W.Game.CurrentLevel = from.Game.CurrentLevel;  // the menu's level, which a start reads
    W.PendingBindings = from.PendingBindings;
    W.EnemiesKilled = from.EnemiesKilled;
    W.Presentation = from.Presentation;
    W.EscapeLatch = from.EscapeLatch;
    W.MenuKeyLatch = from.MenuKeyLatch;
    W.PauseLatch = from.PauseLatch;
    W.CaptureArmed = from.CaptureArmed;
    W.CaptureTarget = from.CaptureTarget;
    W.MenuPage = from.MenuPage;
    W.MenuItems = from.MenuItems;
    W.MenuItemCount = from.MenuItemCount;
    W.MenuCursor = from.MenuCursor;
    W.MusicFadeLevel = from.MusicFadeLevel;
    W.MusicTrack = from.MusicTrack;
    W.SoundsPlayed = from.SoundsPlayed;
}

}  // namespace

void StartPlay(int kind) {
    for (EnemyBullet& bullet : W.EnemyBullets) bullet.active = 0;
    ClearEnemyPool();
    ClearPlayerShots();
    ClearPickups();
    ClearShardsAndSparks();

    W.Game.GameOverTimer = 0;
    W.Game.PlayType = kind == StartFullGame ? Play::FullGame : kind == StartLevelPractice ? Play::LevelPractice : Play::BossFight;
    W.Game.BossRush = kind == StartBossRush ? 1 : 0;

    W.ShieldTimer = 0;
    ShipAlive = 1;
    W.RespawnPending = 0;
    W.TrackedShard = -1;
    W.Invulnerable = 0;
    W.RespawnTimer = 0;

    StopMusic();
    StartMusic(0);

    auto clearEconomy = [] {
        for (int32_t& c : W.Game.LevelCollected) c = 0;
        W.Level.BossBar = 0;
    };
    if (W.Game.PlayType == Play::LevelPractice) {
        W.Game.Held = W.Game.PeakHeld = 0;
        clearEconomy();
        W.Game.Lives = 5;
    } else if (W.Game.PlayType == Play::BossFight) {
        W.Game.Held = W.Game.PeakHeld = 1;
        clearEconomy();
        if (W.Game.BossRush != 1) W.Game.Lives = 5;  // a boss rush carries its lives from boss to boss
    } else if (W.Game.CurrentLevel == 0) {
        W.Game.Held = W.Game.PeakHeld = 0;
        clearEconomy();
        W.Game.WeaponLevel = 0;
        W.Game.Lives = 5;
    }

    if (W.Game.PlayType == Play::BossFight) {
        W.Level.LevelClock = kBossApproachFrame[W.Game.CurrentLevel];
        W.Level.LevelTitleTimer = 200;
    } else {
        W.Level.LevelClock = -1;
        W.Level.LevelTitleTimer = 0;
    }

    W.Level.BossDownClock = W.Level.BossDefeated = W.Level.BossDeathTimer = W.Level.ReportShowing = W.Level.BossAlert = 0;
    W.Level.BossBar = 0;
    W.BossSpawnPending = 0;
    for (int i = 0; i < kLevelCount; ++i) W.Level.BossSlot[i] = W.Level.MidBossSlot[i] = -1;
    // The pools were just emptied, so no boss or mid-boss can still be alive, whatever level this is.
    W.Level.BossActive = W.Level.MidBossActive = 0;
    if (W.Game.CurrentLevel == 0) {
        W.VerticalMove = 0;
        W.MainGunTimer = W.SideGunTimer = W.RearGunTimer = 0;
    }

    W.PlayerShip.x = 320;
    W.PlayerShip.y = 480;
    ResetInterstitials(kind == StartFullGame && W.Game.CurrentLevel == 0);
}

void StartFromMenu(int kind, int level) {
    if (kind < StartFullGame || kind > StartBossRush) return;
    if (Flow.startUp) {
        *Flow.before = W;
        W = *Flow.startUp;
        BringToGame(*Flow.before);
    }
    switch (kind) {
        case StartFullGame:
            W.Game.CurrentLevel = 0;
            W.Program.SpeedSetting = 0;
            StartPlay(StartFullGame);
            StopMusic();
            StartMusic(0);
            break;
        case StartLevelPractice:
            W.Game.CurrentLevel = level;
            W.Game.WeaponLevel = 2 * level;
            StartPlay(StartLevelPractice);
            break;
        case StartBossPractice:
            W.Game.CurrentLevel = level;
            W.Game.WeaponLevel = 2 * level + 1;
            StartPlay(StartBossPractice);
            break;
        case StartBossRush:
            W.Game.CurrentLevel = 0;
            W.Game.WeaponLevel = 1;
            W.Game.Lives = 5;
            StartPlay(StartBossRush);
            break;
        default:
            return;
    }
    BeginRecordGame(kind);
    W.Program.GameMode = Mode::Playing;
}

void BossDeathSequence() {
    int f = W.Level.BossDeathTimer;
    if ((f < 200 && f % 20 == 0) || (f > 200 && f < 300 && f % 25 == 0) || (f > 300 && f % 25 == 0))
        PlayExplosionSound();
    W.Level.BossActive = 0;
    if ((f <= 200 && f % 5 == 0) || (f > 200 && f <= 300 && f % 10 == 0) || (f > 300 && f % 15 == 0)) {
        int slot = W.Level.BossSlot[W.Game.CurrentLevel];
        if (slot >= 0) Explode(W.EnemyPool[slot].modelType, W.EnemyPool[slot].x, W.EnemyPool[slot].y);
    }
    if (f == 560) {
        W.Level.BossDefeated = 0;
        W.Level.BossDeathTimer = 0;
    } else {
        W.Level.BossDeathTimer = f + 1;
    }
}

void BossApproachAndLevelEnd() {
    const int level = W.Game.CurrentLevel;
    const int t = W.Level.LevelClock;
    const int a = kBossApproachFrame[level], b = kBossSpawnFrame[level];
    // From level 2 on, a living mid-boss holds the boss back.
    const bool clear = level == 0 || W.Level.MidBossActive == 0;

    if (t == a) FadeMusic();
    if (clear && t >= a && t <= a + 89) W.Level.BossBar -= 2.0f;
    if (clear && t >= a && t <= a + 359 && W.Game.Lives > 0) {
        W.Level.BossAlert = 1;
        W.Level.ScreenShown = BossWarningScreen;
        AdvanceBossWarning();
    }
    if (clear && t == b) {
        StartMusic(1);
        W.Level.BossActive = 1;
        W.BossSpawnPending = 1;
    }
    // A full pool must not cost the fight: the boss is asked for again each frame until it comes.
    if (W.BossSpawnPending) TrySpawnBoss();

    if (W.Level.BossDefeated == 1) BossDeathSequence();

    bool past = level == 0 ? t >= b : t > b;
    if (!past || W.Level.BossActive != 0 || !clear || W.BossSpawnPending) return;

    if (W.Level.BossDownClock == 0) {
        FadeMusic();
        W.Level.BossAlert = 0;
        W.Level.BossDownClock = t;
        ResetMissionReport();
        W.Level.BossBar = 0;
    }
    const int since = t - W.Level.BossDownClock;
    if (since > 200 && since < kReportEnds[level] && W.Game.Lives > 0) {
        if (W.Game.BossRush == 1 && level < kLastLevel) {
            W.Game.CurrentLevel = level + 1;
            W.Game.WeaponLevel = 2 * W.Game.CurrentLevel + 1;  // 3, 5, 7
            StartPlay(StartBossRush);
            return;
        }
        W.Level.ReportShowing = 1;
        RecordsAtReport();
        CountReport();
        if (W.Game.PlayType != Play::BossFight) StepUnlockFlashes();
        W.Level.ScreenShown = MissionReportScreen;
        if (W.Game.PlayType == Play::FullGame) GrantUnlocks();
    }
    if (level < kLastLevel) {
        if (since == kLeaveAt[level]) {
            if (W.Game.PlayType == Play::FullGame) {
                W.Game.CurrentLevel = level + 1;
                StartPlay(StartFullGame);
            } else {
                LeaveToMenu();
            }
        }
    } else if (W.Game.PlayType == Play::BossFight) {
        if (since == kBossPracticeEnd) LeaveToMenu();
    } else if (W.Game.Lives > 0) {
        if (since >= kRatingStart && since < kRatingEnd) {
            W.Level.ScreenShown = PilotStatusScreen;
            AdvancePilotStatus();
        }
        if (since == kRatingEnd) LeaveToMenu();
    }
}

bool PilotRatingReached() {
    return W.Game.CurrentLevel == kLastLevel && W.Level.BossDownClock > 0 && W.Game.PlayType != Play::BossFight &&
           W.Level.LevelClock - W.Level.BossDownClock >= kRatingStart;
}

void UpdatePlaying() {
    // A jump of the level clock ends this frame's script before the boss and the level's end.
    if (RunLevelScript()) BossApproachAndLevelEnd();
    UpdateEnemies();
    CullEnemies();
    MoveEnemyBullets();
    CollideEnemyBullets();
    if (W.Level.LevelTitleTimer == 200) ++W.Level.LevelClock;
    else ++W.Level.LevelTitleTimer;
}

void AdvancePlayfieldGrid() {
    if (W.Program.GameMode != Mode::Playing) return;
    W.Presentation.PlayfieldScroll += 2;
    if (W.Presentation.PlayfieldScroll >= 64) W.Presentation.PlayfieldScroll = 0;
}

void PlayingFrame() {
    W.Level.ScreenShown = NoScreen;
    AdvancePlayfieldGrid();
    UpdatePlaying();
    if (W.RespawnPending == 1 && W.Game.Lives > 0) RespawnShip();
    if (W.Level.ReportShowing == 0 && ShipAlive) {
        AdvanceShip();
        AdvanceThrusters();
        CheckBodyCollision();
    }
    CollidePlayerShots();
    MovePlayerShots();
    TrailReflectedShots();
    MoveShards();
    MoveSparks();
    UpdatePickups();
    CollectPickups();
    TrackRecords();
}

void PausedFrame() {
    W.Level.ScreenShown = NoScreen;
    UpdateEnemies();
    if (W.RespawnPending == 1 && W.Game.Lives > 0) RespawnShip();
    if (W.Level.ReportShowing == 0 && ShipAlive) AdvanceShip();
    MoveShards();
    MoveSparks();
    UpdatePickups();
}

void GameOverSequence() {
    StopMusic();
    if (W.Game.GameOverTimer == 70) StopMusic();
    if (W.Game.GameOverTimer == 200) {
        W.Program.GameMode = Mode::Menu;
        SaveSettings();
    }
    ++W.Game.GameOverTimer;
}

void GameInit() {
    BuildRadiusFactors();
    BuildUnitPolygons();
    BuildShardColours();
    DefineModels();
    BuildShipModel();
    BuildShotShapes();
    BuildSparkColours();
    ClearGlows();
    if (!Flow.startUp) Flow.startUp = std::make_unique<World>(), Flow.before = std::make_unique<World>();
    *Flow.startUp = W;
}
