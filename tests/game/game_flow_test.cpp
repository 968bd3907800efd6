#include "audio/audio.h"
#include "enemies/enemy_pool.h"
#include "enemies/level_scripts.h"
#include "game/game_flow.h"
#include "game/level_state.h"
#include "game/ship.h"
#include "world/world.h"
#include "test_support.h"

namespace {

class GameFlowTest : public GameTest {
protected:
    // What a boss's destruction does to the level flow.
    void KillBoss() {
        int slot = W.Level.BossSlot[W.Game.CurrentLevel];
        ASSERT_GE(slot, 0);
        W.EnemyPool[slot].active = 0;
        W.Level.BossDefeated = 1;
    }
};

TEST_F(GameFlowTest, ABossIsSpawnedEvenIfThePoolWasFull) {
    StartFromMenu(StartBossPractice, 0);
    for (int i = 0; i < 100; ++i) SpawnEnemy(4, 8, 30, 0, 320, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    ASSERT_EQ(CountActiveEnemies(), 100);
    Frames(401);
    EXPECT_EQ(W.Level.BossSlot[0], -1);
    EXPECT_EQ(W.BossSpawnPending, 1);
    Frames(20);
    EXPECT_EQ(W.Level.BossSlot[0], -1);
    W.EnemyPool[37].active = 0;
    Frames(1);
    EXPECT_EQ(W.Level.BossSlot[0], 37);
    EXPECT_EQ(W.BossSpawnPending, 0);
}

TEST_F(GameFlowTest, TheLevelEndsAsTheDeathSequenceStartsAndLeavesToTheMenu) {
    StartFromMenu(StartBossPractice, 0);
    Frames(401);
    KillBoss();
    Frames(1);
    EXPECT_EQ(W.Level.BossActive, 0);
    EXPECT_NE(W.Level.BossDownClock, 0);
    EXPECT_EQ(W.Level.BossDeathTimer, 1);
    EXPECT_EQ(W.SoundsPlayed.explosion, 1u);
    EXPECT_EQ(W.Level.ReportShowing, 0);
    Frames(200);
    EXPECT_EQ(W.Level.ReportShowing, 0);
    Frames(1);
    EXPECT_EQ(W.Level.ReportShowing, 1);  // 201 frames after the end, while the explosions still run
    EXPECT_EQ(W.Level.BossDefeated, 1);
    Frames(358);
    EXPECT_EQ(W.Level.BossDefeated, 1);
    Frames(1);  // the 561st frame of the sequence
    EXPECT_EQ(W.Level.BossDefeated, 0);
    EXPECT_EQ(W.Level.BossDeathTimer, 0);
    EXPECT_EQ(W.Program.GameMode, Mode::Playing);
    Frames(439);
    EXPECT_EQ(W.Program.GameMode, Mode::Playing);
    Frames(1);
    EXPECT_EQ(W.Program.GameMode, Mode::Menu);  // boss practice leaves at BossDownClock + 1000
    EXPECT_EQ(W.MusicTrack, -1);
}

TEST_F(GameFlowTest, AStaleMidBossFlagCannotHoldBackTheNextBoss) {
    StartFromMenu(StartLevelPractice, 1);
    W.Level.MidBossActive = 1;  // left from a game abandoned during the mid-boss
    W.Program.GameMode = Mode::Menu;
    StartFromMenu(StartBossPractice, 2);
    Frames(401);
    EXPECT_GE(W.Level.BossSlot[2], 0);
}

}  // namespace
