#include "audio/audio.h"
#include "enemies/enemy_pool.h"
#include "enemies/level_scripts.h"
#include "draw/screens.h"
#include "game/mission_report.h"
#include "front_support.h"
#include "game/game_flow.h"
#include "game/level_state.h"
#include "game/particles.h"
#include "render/background.h"
#include "render/font.h"
#include "world/world.h"

namespace {

class ReportTest : public FrontEndTest {
protected:
    // Jumps the running level to its boss, destroys it and plays on until the report shows.
    void ReachReport() {
        W.Level.LevelTitleTimer = 200;
        W.Level.LevelClock = kBossSpawnFrame[W.Game.CurrentLevel] - 1;
        W.Level.MidBossActive = 0;
        for (int i = 0; i < 5 && W.Level.BossSlot[W.Game.CurrentLevel] < 0; ++i) Pass();
        int slot = W.Level.BossSlot[W.Game.CurrentLevel];
        ASSERT_GE(slot, 0);
        W.EnemyPool[slot].active = 0;
        W.Level.BossDefeated = 1;
        for (int i = 0; i < 400 && !W.Level.ReportShowing; ++i) {
            W.Game.Lives = 5;  // nothing may end the game on the way
            ClearFrontTextLog();
            Pass();
        }
        ASSERT_EQ(W.Level.ReportShowing, 1);
    }
    void FullGameAt(int level, int collected) {
        StartFromMenu(StartFullGame, 0);
        if (level > 0) {
            W.Game.CurrentLevel = level;
            StartPlay(StartFullGame);
        }
        W.Game.LevelCollected[level] = collected;
        W.Game.Held = W.Game.PeakHeld = collected;
    }
    uint32_t ColourOf(const char* text) {
        auto found = Texts(text);
        EXPECT_EQ(found.size(), 2u) << text;  // the measuring draw, then the message
        return found.size() == 2 ? found[1].colour : 0xDEADu;
    }
};

TEST_F(ReportTest, FiftyFourOfFiftyFiveUnlocksPracticeButNotTheBoss) {
    FullGameAt(0, 54);
    ReachReport();
    EXPECT_EQ(W.Saved.PracticeUnlocked[0], 1);  // on the report's first frame
    EXPECT_EQ(W.Report.practiceFlash, 355);
    EXPECT_EQ(Settings()[kCfgPractice], 1);
    EXPECT_TRUE(Drawn("mission report"));
    EXPECT_TRUE(Drawn("PRACTICE LEVEL 1 UNLOCKED"));
    for (int i = 0; i < 1000 && W.Game.CurrentLevel == 0; ++i) Pass();
    EXPECT_EQ(W.Report.collected, 54);
    EXPECT_EQ(W.Saved.BossUnlocked[0], 0);
    EXPECT_EQ(Settings()[kCfgBoss], 0);
    EXPECT_EQ(W.Game.CurrentLevel, 1);  // the game went on to level 2
}

TEST_F(ReportTest, TheBossUnlocksWhenTheCountReachesTheLevelsMaximum) {
    FullGameAt(0, 55);
    ReachReport();
    while (W.Report.collected < 54) {
        Pass();
        ASSERT_EQ(W.Saved.BossUnlocked[0], 0);
    }
    while (W.Report.collected < 55) {
        ClearFrontTextLog();
        Pass();
    }
    EXPECT_EQ(W.Saved.BossUnlocked[0], 1);
    EXPECT_EQ(Settings()[kCfgBoss], 1);
    EXPECT_EQ(W.Report.bossFlash, 255);
    // The message flashes in the very picture of the unlock.
    EXPECT_EQ(ColourOf("BOSS LEVEL 1 UNLOCKED"), static_cast<uint32_t>(7 * (255 % 32)) << 16);
    EXPECT_EQ(W.Saved.BossRushUnlocked, 0);
}

TEST_F(ReportTest, TheFourthBossAndTheBossRushFlashTogether) {
    for (int i = 0; i < 4; ++i) W.Saved.PracticeUnlocked[i] = 1;
    W.Saved.BossUnlocked[0] = W.Saved.BossUnlocked[1] = W.Saved.BossUnlocked[2] = 1;
    FullGameAt(3, 125);
    ReachReport();
    while (W.Report.collected < 125) {
        ASSERT_EQ(W.Saved.BossRushUnlocked, 0);
        Pass();
    }
    EXPECT_EQ(W.Saved.BossUnlocked[3], 1);
    EXPECT_EQ(W.Saved.BossRushUnlocked, 1);
    EXPECT_EQ(Settings()[kCfgBossRush], 1);
    for (int i = 0; i < 40; ++i) {
        ClearFrontTextLog();
        Pass();
        uint32_t boss = ColourOf("BOSS LEVEL 4 UNLOCKED");
        EXPECT_EQ(boss, ColourOf("BOSS RUSH UNLOCKED"));
        EXPECT_EQ(ColourOf("PRACTICE LEVEL 4 UNLOCKED"), 0u);
        if (i == 0) { EXPECT_NE(boss, 0u); }
    }
}

TEST_F(ReportTest, ReplayingAnUnlockedLevelShowsNoUnlockMessage) {
    for (int i = 0; i < 4; ++i) W.Saved.PracticeUnlocked[i] = W.Saved.BossUnlocked[i] = 1;
    W.Saved.BossRushUnlocked = 1;
    FullGameAt(0, 55);
    ReachReport();
    for (int i = 0; i < 300 && W.Level.ReportShowing; ++i) {
        ClearFrontTextLog();
        Pass();
        if (!W.Level.ReportShowing) break;
        EXPECT_EQ(ColourOf("PRACTICE LEVEL 1 UNLOCKED"), 0u);
        EXPECT_EQ(ColourOf("BOSS LEVEL 1 UNLOCKED"), 0u);
        EXPECT_EQ(ColourOf("BOSS RUSH UNLOCKED"), 0u);
    }
}

TEST_F(ReportTest, TheCountUpTicksWithEachStepThatCounts) {
    FullGameAt(0, 3);
    W.Game.Held = 2;
    W.Game.PeakHeld = 4;
    uint32_t before = W.SoundsPlayed.effect[10];
    ReachReport();
    Pass(100);
    EXPECT_EQ(W.Report.collected, 3);
    EXPECT_EQ(W.Report.held, 2);
    EXPECT_EQ(W.Report.best, 4);
    EXPECT_EQ(W.SoundsPlayed.effect[10] - before, 3u + 4u);
}

TEST_F(ReportTest, BossPracticeAndBossRushNeverUnlockNorShowTheTable) {
    StartFromMenu(StartBossPractice, 0);
    ReachReport();
    Pass(50);
    EXPECT_TRUE(Drawn("boss practice complete"));
    EXPECT_FALSE(Drawn("mission report"));
    EXPECT_EQ(W.Saved.PracticeUnlocked[0] + W.Saved.BossUnlocked[0], 0);

    StartFromMenu(StartBossRush, 0);
    W.Game.CurrentLevel = 3;
    StartPlay(StartBossRush);
    ReachReport();
    EXPECT_TRUE(Drawn("boss rush complete"));
    EXPECT_TRUE(Drawn("F9 + F12 on the main menu"));
    EXPECT_FALSE(Drawn("mission report"));
    EXPECT_EQ(W.Saved.PracticeUnlocked[3] + W.Saved.BossUnlocked[3] + W.Saved.BossRushUnlocked, 0);
}

}  // namespace
