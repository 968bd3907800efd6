#include "game/game_flow.h"

#include "audio/audio.h"
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
#include "render/background.h"
#include "shell/game_vars.h"
#include "shell/settings.h"

int32_t BossSpawnPending;

namespace {

struct BossInfo {
    int model, behaviour, hitPoints, drop, y;
};
constexpr BossInfo kBoss[kLevelCount] = {{7, 11, 18000, 1, -130}, {11, 19, 33000, 1, -130},
                               {19, 52, 81200, 1, -120}, {24, 93, 100000, 2, -120}};
constexpr int kReportEnds[kLevelCount] = {900, 1100, 1400, 1500};  // the report window closes before BossDownClock + R
constexpr int kLeaveAt[3] = {1000, 1200, 1500};          // levels 1..3 leave at BossDownClock + E
constexpr int kBossPracticeEnd = 1000, kRatingStart = 1601, kRatingEnd = 2550;

void TrySpawnBoss() {
    const BossInfo& b = kBoss[Game.CurrentLevel];
    SpawnEnemy(b.model, b.behaviour, b.hitPoints, b.drop, 320, b.y, 0, 2.0f, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    if (Level.BossSlot[Game.CurrentLevel] >= 0) BossSpawnPending = 0;
}

void LeaveToMenu() {
    StopMusic();
    Program.GameMode = Mode::Menu;
}

}  // namespace

void StartPlay(int kind) {
    for (EnemyBullet& bullet : EnemyBullets) bullet.active = 0;
    ClearEnemyPool();
    ClearPlayerShots();
    ClearPickups();
    ClearShardsAndSparks();

    Game.GameOverTimer = 0;
    Game.PlayType = kind == StartFullGame ? Play::FullGame : kind == StartLevelPractice ? Play::LevelPractice : Play::BossFight;
    Game.BossRush = kind == StartBossRush ? 1 : 0;

    ShieldTimer = 0;
    ShipAlive = 1;
    RespawnPending = 0;
    TrackedShard = -1;
    Invulnerable = 0;
    RespawnTimer = 0;

    StopMusic();
    StartMusic(0);

    auto clearEconomy = [] {
        for (int32_t& c : Game.LevelCollected) c = 0;
        Level.BossBar = 0;
    };
    if (Game.PlayType == Play::LevelPractice) {
        Game.Held = Game.PeakHeld = 0;
        clearEconomy();
        Game.Lives = 5;
    } else if (Game.PlayType == Play::BossFight) {
        Game.Held = Game.PeakHeld = 1;
        clearEconomy();
        if (Game.BossRush != 1) Game.Lives = 5;  // a boss rush carries its lives from boss to boss
    } else if (Game.CurrentLevel == 0) {
        Game.Held = Game.PeakHeld = 0;
        clearEconomy();
        Game.WeaponLevel = 0;
        Game.Lives = 5;
    }

    if (Game.PlayType == Play::BossFight) {
        Level.LevelClock = kBossApproachFrame[Game.CurrentLevel];
        Level.LevelTitleTimer = 200;
    } else {
        Level.LevelClock = -1;
        Level.LevelTitleTimer = 0;
    }

    Level.BossDownClock = Level.BossDefeated = Level.BossDeathTimer = Level.ReportShowing = Level.BossAlert = 0;
    Level.BossBar = 0;
    BossSpawnPending = 0;
    for (int i = 0; i < kLevelCount; ++i) Level.BossSlot[i] = Level.MidBossSlot[i] = -1;
    // The pools were just emptied, so no boss or mid-boss can still be alive, whatever level this is.
    Level.BossActive = Level.MidBossActive = 0;
    if (Game.CurrentLevel == 0) {
        VerticalMove = 0;
        MainGunTimer = SideGunTimer = RearGunTimer = 0;
    }

    PlayerShip.x = 320;
    PlayerShip.y = 480;
    Screens.reset(kind == StartFullGame && Game.CurrentLevel == 0);
}

void StartFromMenu(int kind, int level) {
    switch (kind) {
        case StartFullGame:
            Game.CurrentLevel = 0;
            Program.SpeedSetting = 0;
            StartPlay(StartFullGame);
            StopMusic();
            StartMusic(0);
            break;
        case StartLevelPractice:
            Game.CurrentLevel = level;
            Game.WeaponLevel = 2 * level;
            StartPlay(StartLevelPractice);
            break;
        case StartBossPractice:
            Game.CurrentLevel = level;
            Game.WeaponLevel = 2 * level + 1;
            StartPlay(StartBossPractice);
            break;
        case StartBossRush:
            Game.CurrentLevel = 0;
            Game.WeaponLevel = 1;
            Game.Lives = 5;
            StartPlay(StartBossRush);
            break;
        default:
            return;
    }
    BeginRecordGame(kind);
    Program.GameMode = Mode::Playing;
}

void BossDeathSequence() {
    int f = Level.BossDeathTimer;
    if ((f < 200 && f % 20 == 0) || (f > 200 && f < 300 && f % 25 == 0) || (f > 300 && f % 25 == 0))
        PlayExplosionSound();
    Level.BossActive = 0;
    if ((f <= 200 && f % 5 == 0) || (f > 200 && f <= 300 && f % 10 == 0) || (f > 300 && f % 15 == 0)) {
        int slot = Level.BossSlot[Game.CurrentLevel];
        if (slot >= 0) Explode(EnemyPool[slot].modelType, EnemyPool[slot].x, EnemyPool[slot].y);
    }
    if (f == 560) {
        Level.BossDefeated = 0;
        Level.BossDeathTimer = 0;
    } else {
        Level.BossDeathTimer = f + 1;
    }
}

void BossApproachAndLevelEnd() {
    const int level = Game.CurrentLevel;
    const int t = Level.LevelClock;
    const int a = kBossApproachFrame[level], b = kBossSpawnFrame[level];
    // From level 2 on, a living mid-boss holds the boss back.
    const bool clear = level == 0 || Level.MidBossActive == 0;

    if (t == a) FadeMusic();
    if (clear && t >= a && t <= a + 89) Level.BossBar -= 2.0f;
    if (clear && t >= a && t <= a + 359 && Game.Lives > 0) {
        Level.BossAlert = 1;
        Level.ScreenShown = BossWarningScreen;
        Screens.bossWarning();
    }
    if (clear && t == b) {
        StartMusic(1);
        Level.BossActive = 1;
        BossSpawnPending = 1;
    }
    // A full pool must not cost the fight: the boss is asked for again each frame until it comes.
    if (BossSpawnPending) TrySpawnBoss();

    if (Level.BossDefeated == 1) BossDeathSequence();

    bool past = level == 0 ? t >= b : t > b;
    if (!past || Level.BossActive != 0 || !clear || BossSpawnPending) return;

    if (Level.BossDownClock == 0) {
        FadeMusic();
        Level.BossAlert = 0;
        Level.BossDownClock = t;
        ResetMissionReport();
        Level.BossBar = 0;
    }
    const int since = t - Level.BossDownClock;
    if (since > 200 && since < kReportEnds[level] && Game.Lives > 0) {
        if (Game.BossRush == 1 && level < kLastLevel) {
            Game.CurrentLevel = level + 1;
            Game.WeaponLevel = 2 * Game.CurrentLevel + 1;  // 3, 5, 7
            StartPlay(StartBossRush);
            return;
        }
        Level.ReportShowing = 1;
        RecordsAtReport();
        CountReport();
        if (Game.PlayType != Play::BossFight) StepUnlockFlashes();
        Level.ScreenShown = MissionReportScreen;
        if (Game.PlayType == Play::FullGame) GrantUnlocks();
    }
    if (level < kLastLevel) {
        if (since == kLeaveAt[level]) {
            if (Game.PlayType == Play::FullGame) {
                Game.CurrentLevel = level + 1;
                StartPlay(StartFullGame);
            } else {
                LeaveToMenu();
            }
        }
    } else if (Game.PlayType == Play::BossFight) {
        if (since == kBossPracticeEnd) LeaveToMenu();
    } else if (Game.Lives > 0) {
        if (since >= kRatingStart && since < kRatingEnd) {
            Level.ScreenShown = PilotStatusScreen;
            Screens.pilotStatus();
        }
        if (since == kRatingEnd) LeaveToMenu();
    }
}

bool PilotRatingReached() {
    return Game.CurrentLevel == kLastLevel && Level.BossDownClock > 0 && Game.PlayType != Play::BossFight &&
           Level.LevelClock - Level.BossDownClock >= kRatingStart;
}

void UpdatePlaying() {
    // A jump of the level clock ends this frame's script before the boss and the level's end.
    if (RunLevelScript()) BossApproachAndLevelEnd();
    UpdateEnemies();
    CullEnemies();
    MoveEnemyBullets();
    CollideEnemyBullets();
    if (Level.LevelTitleTimer == 200) ++Level.LevelClock;
    else ++Level.LevelTitleTimer;
}

void PlayingFrame() {
    Level.ScreenShown = NoScreen;
    AdvancePlayfieldGrid();
    UpdatePlaying();
    if (RespawnPending == 1 && Game.Lives > 0) RespawnShip();
    if (Level.ReportShowing == 0 && ShipAlive) {
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
    Level.ScreenShown = NoScreen;
    UpdateEnemies();
    if (RespawnPending == 1 && Game.Lives > 0) RespawnShip();
    if (Level.ReportShowing == 0 && ShipAlive) AdvanceShip();
    MoveShards();
    MoveSparks();
    UpdatePickups();
}

void ResetGameFlow() { BossSpawnPending = 0; }

void GameOverSequence() {
    StopMusic();
    if (Game.GameOverTimer == 70) StopMusic();
    if (Game.GameOverTimer == 200) {
        Program.GameMode = Mode::Menu;
        SaveSettings();
    }
    ++Game.GameOverTimer;
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
}
