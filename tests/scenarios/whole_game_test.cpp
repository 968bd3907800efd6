// Whole games played through the headless runner as a player would: every game is started from the
// menus by an input script; the autopilot and the indestructible ship only keep the pilot alive.
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

constexpr int kReturn = 28, kDown = 208, kRight = 205, kF9 = 67, kF12 = 88;

// Energy a level holds: collecting all of it in a full game unlocks the level's boss.
constexpr int kLevelEnergy[4] = {55, 90, 123, 125};

// Taps on the menu keys, one every four frames from the first, each held for two frames.
std::string Taps(const std::vector<int>& codes, int frame = 2) {
    std::ostringstream keys;
    for (int code : codes) {
        keys << frame << " +" << code << "\n" << frame + 2 << " -" << code << "\n";
        frame += 4;
    }
    return keys.str();
}

// The fields of a settings file after the version: 1..14 bindings, 15 resolution, 16 orientation,
// 17 windowed, 18 high score, 19..22 practice unlocks, 23..26 boss unlocks, 27 boss rush, 28/29 window.
struct SavedSettings {
    std::vector<int> field;
    int HiScore() const { return field.at(18); }
    int Practice(int level) const { return field.at(19 + level); }
    int Boss(int level) const { return field.at(23 + level); }
    int BossRush() const { return field.at(27); }
};

SavedSettings ReadSettings(const std::string& dir) {
    std::istringstream text(ReadFile(dir + "/quivex.cfg"));
    SavedSettings s;
    for (int n; text >> n;) s.field.push_back(n);
    EXPECT_EQ(s.field.size(), 30u);
    s.field.resize(30);
    return s;
}

// A player's settings file with the given unlocks (practice levels, bosses).
std::string SettingsWithUnlocks(int practice, int bosses) {
    std::string text = "9990 200 208 203 205 45 44 197 2002 2003 2000 2001 1000 1001 1 1 0 0 0";
    for (int i = 0; i < 4; ++i) text += practice ? " 1" : " 0";
    for (int i = 0; i < 4; ++i) text += bosses ? " 1" : " 0";
    return text + " 0 100 100";
}

struct Outcome {
    std::string dir, out;
    int status = -1;
    std::string Value(const char* key) const { return SummaryValue(out, key); }
    int Number(const char* key) const { return std::stoi(Value(key)); }
    std::vector<int> Numbers(const char* key) const {
        std::istringstream in(Value(key));
        std::vector<int> v;
        for (int n; in >> n;) v.push_back(n);
        return v;
    }
};

// Plays from a fresh start (or a given settings file) with the keys tapped on the menus.
Outcome Play(const std::vector<int>& menuKeys, const std::string& flags, const std::string& settings = "",
         const std::string& keys = "") {
    Outcome run;
    run.dir = MakeScratchDir();
    if (!settings.empty()) WriteFile(run.dir + "/quivex.cfg", settings);
    WriteFile(run.dir + "/play.keys", keys.empty() ? Taps(menuKeys) : keys);
    run.status = RunCommand(std::string(QUIVEX_SIM_PATH) + " --keys " + run.dir + "/play.keys --dir " + run.dir +
                                " " + flags + " 2>&1",
                            run.out);
    return run;
}

std::vector<int> PracticeKeys(int level, int row) {
    std::vector<int> keys = {kDown, kReturn};  // "practice"
    for (int i = 0; i < row; ++i) keys.push_back(kDown);
    for (int i = 0; i < level; ++i) keys.push_back(kRight);
    keys.push_back(kReturn);
    return keys;
}

TEST(WholeGame, AFullGameEndsAtTheMenuWithItsUnlocksAndHighScoreSaved) {
    Outcome run = Play({kReturn}, "--bot --immortal --frames 76000");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.Value("mode"), "0") << run.out;   // past the rating, back on the menu
    EXPECT_EQ(run.Value("level"), "3");
    EXPECT_EQ(run.Value("play"), "0 0");
    EXPECT_GT(run.Number("killed"), 300);
    EXPECT_EQ(run.Value("music"), "none 255");
    EXPECT_NE(run.Value("sounds").find(" 10="), std::string::npos);  // the reports counted up

    SavedSettings saved = ReadSettings(run.dir);
    for (int level = 0; level < 4; ++level) EXPECT_EQ(saved.Practice(level), 1) << "level " << level + 1;
    EXPECT_EQ(saved.HiScore(), run.Number("peak"));
    EXPECT_GT(saved.HiScore(), 50);
    // A boss unlocks exactly when its level's energy was all collected; all four open the boss rush.
    std::vector<int> collected = run.Numbers("collected");
    ASSERT_EQ(collected.size(), 4u);
    bool all = true;
    for (int level = 0; level < 4; ++level) {
        bool unlocked = collected[level] >= kLevelEnergy[level];
        EXPECT_EQ(saved.Boss(level), unlocked ? 1 : 0) << "level " << level + 1 << " collected " << collected[level];
        all = all && unlocked;
    }
    EXPECT_EQ(saved.BossRush(), all ? 1 : 0);
}

TEST(WholeGame, AGameLostToGameOverKeepsItsBestAsTheHighScore) {
    // No indestructible ship: the autopilot fights until its last life goes.
    Outcome first = Play({kReturn}, "--bot --frames 15000");
    ASSERT_EQ(first.status, 0) << first.out;
    EXPECT_EQ(first.Value("mode"), "0") << first.out;
    EXPECT_EQ(first.Value("lives"), "0");
    EXPECT_EQ(first.Value("level"), "0");
    EXPECT_GT(first.Number("peak"), 0);
    SavedSettings saved = ReadSettings(first.dir);
    EXPECT_EQ(saved.HiScore(), first.Number("peak"));
    EXPECT_EQ(saved.Practice(0), 0);  // a level never finished unlocks nothing

    Outcome again = Play({kReturn}, "--bot --frames 15000");
    EXPECT_EQ(again.Value("hash"), first.Value("hash"));
}

// A level practice of each level, chosen on the practice page, played through to the menu.
struct LevelRun {
    int level, frames, minCollected;
};

class LevelPractice : public ::testing::TestWithParam<LevelRun> {};

TEST_P(LevelPractice, PlaysThroughToTheMenuWithoutUnlockingAnything) {
    const LevelRun& p = GetParam();
    const std::string settings = SettingsWithUnlocks(1, 0);
    Outcome run = Play(PracticeKeys(p.level, 1), "--bot --immortal --frames " + std::to_string(p.frames), settings);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.Value("mode"), "0") << run.out;
    EXPECT_EQ(run.Number("level"), p.level);
    EXPECT_EQ(run.Value("play"), "1 0");
    EXPECT_GE(run.Number("lives"), 5);
    EXPECT_GT(run.Number("killed"), 40);
    std::vector<int> collected = run.Numbers("collected");
    ASSERT_EQ(collected.size(), 4u);
    for (int level = 0; level < 4; ++level) {
        if (level == p.level) {
            EXPECT_GE(collected[level], p.minCollected) << run.out;
        } else {
            EXPECT_EQ(collected[level], 0);
        }
    }
    // Practice grants nothing and keeps the high score: the file is as it was.
    EXPECT_EQ(ReadFile(run.dir + "/quivex.cfg"), settings);
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, LevelPractice,
                         ::testing::Values(LevelRun{0, 16000, 45}, LevelRun{1, 22000, 72}, LevelRun{2, 22000, 100},
                                           LevelRun{3, 26000, 100}),
                         [](const ::testing::TestParamInfo<LevelRun>& info) {
                             return "Level" + std::to_string(info.param.level + 1);
                         });

class BossPractice : public ::testing::TestWithParam<int> {};

TEST_P(BossPractice, DestroysTheBossAndReturnsToTheMenu) {
    const int level = GetParam();
    Outcome run = Play(PracticeKeys(level, 2), "--bot --immortal --frames 9000", SettingsWithUnlocks(0, 1));
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.Value("mode"), "0") << run.out;
    EXPECT_EQ(run.Number("level"), level);
    EXPECT_EQ(run.Value("play"), "2 0");
    EXPECT_EQ(run.Value("killed"), "1");  // the boss, and nothing before it
    EXPECT_EQ(run.Value("lives"), "5");
    EXPECT_EQ(run.Value("music"), "none 255");
}

INSTANTIATE_TEST_SUITE_P(EveryBoss, BossPractice, ::testing::Values(0, 1, 2, 3),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Boss" + std::to_string(info.param + 1);
                         });

TEST(WholeGame, ABossRushOpenedByF9AndF12EndsOnItsCompletionScreen) {
    // F9 and F12 held together on the main menu unlock everything; then down twice to "boss rush".
    std::ostringstream combo;
    combo << "2 +" << kF9 << "\n2 +" << kF12 << "\n4 -" << kF9 << "\n4 -" << kF12 << "\n";
    std::string keys = combo.str() + Taps({kDown, kDown, kReturn}, 8);
    Outcome run = Play({}, "--bot --immortal --until report --frames 40000", "", keys);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_LT(run.Number("frames"), 40000);
    EXPECT_EQ(run.Value("mode"), "1");
    EXPECT_EQ(run.Value("report").substr(0, 2), "1 ");
    EXPECT_EQ(run.Value("level"), "3");     // the fourth boss
    EXPECT_EQ(run.Value("play"), "2 1");
    EXPECT_EQ(run.Value("killed"), "4");    // four bosses, nothing else
    EXPECT_EQ(run.Value("lives"), "5");
    EXPECT_EQ(run.Value("weapon"), "7");
    // The combination is not saved by itself, and a boss rush grants nothing.
    SavedSettings saved = ReadSettings(run.dir);
    EXPECT_EQ(saved.BossRush(), 0);
    EXPECT_EQ(saved.Practice(0), 0);
}

}  // namespace
