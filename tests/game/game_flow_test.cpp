#include "audio/audio.h"
#include "enemies/enemy_pool.h"
#include "enemies/level_scripts.h"
#include "game/game_flow.h"
#include "game/level_state.h"
#include "game/ship.h"
#include "shell/game_vars.h"
#include "test_support.h"

namespace {

class GameFlowTest : public GameTest {
protected:
    // What a boss's destruction does to the level flow.
    void KillBoss() {
        int slot = BossSlot[CurrentLevel];
        ASSERT_GE(slot, 0);
        EnemyPool[slot].active = 0;
        BossDefeated = 1;
    }
};

TEST_F(GameFlowTest, StartPlaySetsUpEachKindOfGame) {
    StartFromMenu(StartFullGame, 0);
    EXPECT_EQ(GameMode, Mode::Playing);
    EXPECT_EQ(PlayType, 0);
    EXPECT_EQ(Lives, 5);
    EXPECT_EQ(LevelClock, -1);
    EXPECT_EQ(LevelTitleTimer, 0);
    EXPECT_EQ(PlayerShip.x, 320.0f);
    EXPECT_EQ(PlayerShip.y, 480.0f);
    EXPECT_EQ(MusicTrack, 0);

    StartFromMenu(StartLevelPractice, 2);
    EXPECT_EQ(PlayType, 1);
    EXPECT_EQ(WeaponLevel, 4);
    EXPECT_EQ(Held, 0);

    StartFromMenu(StartBossPractice, 1);
    EXPECT_EQ(PlayType, 2);
    EXPECT_EQ(BossRush, 0);
    EXPECT_EQ(WeaponLevel, 3);
    EXPECT_EQ(Held, 1);
    EXPECT_EQ(LevelClock, 13100);
    EXPECT_EQ(LevelTitleTimer, 200);

    Lives = 2;
    CurrentLevel = 2;
    StartPlay(StartBossRush);
    EXPECT_EQ(Lives, 2);  // a boss rush carries its lives on
    EXPECT_EQ(BossRush, 1);
}

TEST_F(GameFlowTest, BossPracticeChargesTheBarThenTheBossArrives) {
    StartFromMenu(StartBossPractice, 0);
    Frames(1);
    EXPECT_EQ(MusicFadeLevel, 254);  // the fade starts on the first frame
    EXPECT_EQ(BossAlert, 1);
    Frames(89);
    EXPECT_FLOAT_EQ(BossBar, -180);
    Frames(10);
    EXPECT_FLOAT_EQ(BossBar, -180);
    Frames(300);
    EXPECT_EQ(BossSlot[0], -1);
    Frames(1);  // the frame 400 after the start
    ASSERT_GE(BossSlot[0], 0);
    EXPECT_EQ(EnemyPool[BossSlot[0]].modelType, 7);
    EXPECT_EQ(EnemyPool[BossSlot[0]].vy, 2.0f);
    EXPECT_EQ(BossActive, 1);
    EXPECT_EQ(MusicTrack, 1);
}

TEST_F(GameFlowTest, ABossIsSpawnedEvenIfThePoolWasFull) {
    StartFromMenu(StartBossPractice, 0);
    for (int i = 0; i < 100; ++i) SpawnEnemy(4, 8, 30, 0, 320, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    ASSERT_EQ(CountActiveEnemies(), 100);
    Frames(401);
    EXPECT_EQ(BossSlot[0], -1);
    EXPECT_EQ(BossSpawnPending, 1);
    Frames(20);
    EXPECT_EQ(BossSlot[0], -1);
    EnemyPool[37].active = 0;
    Frames(1);
    EXPECT_EQ(BossSlot[0], 37);
    EXPECT_EQ(BossSpawnPending, 0);
}

TEST_F(GameFlowTest, TheLevelEndsAsTheDeathSequenceStartsAndLeavesToTheMenu) {
    StartFromMenu(StartBossPractice, 0);
    Frames(401);
    KillBoss();
    Frames(1);
    EXPECT_EQ(BossActive, 0);
    EXPECT_NE(BossDownClock, 0);
    EXPECT_EQ(BossDeathTimer, 1);
    EXPECT_EQ(SoundsPlayed.explosion, 1u);
    EXPECT_EQ(ReportShowing, 0);
    Frames(200);
    EXPECT_EQ(ReportShowing, 0);
    Frames(1);
    EXPECT_EQ(ReportShowing, 1);  // 201 frames after the end, while the explosions still run
    EXPECT_EQ(BossDefeated, 1);
    Frames(358);
    EXPECT_EQ(BossDefeated, 1);
    Frames(1);  // the 561st frame of the sequence
    EXPECT_EQ(BossDefeated, 0);
    EXPECT_EQ(BossDeathTimer, 0);
    EXPECT_EQ(GameMode, Mode::Playing);
    Frames(439);
    EXPECT_EQ(GameMode, Mode::Playing);
    Frames(1);
    EXPECT_EQ(GameMode, Mode::Menu);  // boss practice leaves at BossDownClock + 1000
    EXPECT_EQ(MusicTrack, -1);
}

TEST_F(GameFlowTest, BossRushGoesStraightToTheNextBossWithMoreFirepower) {
    StartFromMenu(StartBossRush, 0);
    for (int boss = 0; boss < 3; ++boss) {
        Frames(401);
        ASSERT_EQ(CurrentLevel, boss);
        KillBoss();
        Frames(201);
        EXPECT_EQ(CurrentLevel, boss) << "not before the 201st frame";
        Frames(1);
        EXPECT_EQ(CurrentLevel, boss + 1);
        EXPECT_EQ(WeaponLevel, 2 * boss + 3);
        EXPECT_EQ(Held, 1);
        EXPECT_EQ(LevelClock, kBossApproachFrame[boss + 1] + 1);
        EXPECT_EQ(ReportShowing, 0);
    }
}

TEST_F(GameFlowTest, AFullGameGoesOnToTheNextLevelKeepingItsState) {
    StartFromMenu(StartFullGame, 0);
    LevelTitleTimer = 200;
    LevelClock = 6599;
    Held = 12;
    Lives = 3;
    WeaponLevel = 4;
    Frames(2);
    KillBoss();
    Frames(1);
    int down = BossDownClock;
    ASSERT_GT(down, 0);
    Frames(1000 - 1);
    EXPECT_EQ(CurrentLevel, 0);
    Frames(1);
    EXPECT_EQ(CurrentLevel, 1);
    EXPECT_EQ(LevelClock, -1);  // the new level's intro holds the clock
    EXPECT_EQ(LevelTitleTimer, 1);
    EXPECT_EQ(Held, 12);
    EXPECT_EQ(Lives, 3);
    EXPECT_EQ(WeaponLevel, 4);
    EXPECT_EQ(GameMode, Mode::Playing);
}

TEST_F(GameFlowTest, PausingFreezesTheClocks) {
    StartFromMenu(StartLevelPractice, 0);
    Frames(50);
    EXPECT_EQ(LevelTitleTimer, 50);
    GameMode = Mode::Paused;
    Frames(100);
    EXPECT_EQ(LevelTitleTimer, 50);
    EXPECT_EQ(LevelClock, -1);
}

TEST_F(GameFlowTest, AStaleMidBossFlagCannotHoldBackTheNextBoss) {
    StartFromMenu(StartLevelPractice, 1);
    MidBossActive = 1;  // left from a game abandoned during the mid-boss
    GameMode = Mode::Menu;
    StartFromMenu(StartBossPractice, 2);
    Frames(401);
    EXPECT_GE(BossSlot[2], 0);
}

}  // namespace
