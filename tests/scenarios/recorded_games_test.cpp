// Recorded games: whole games flown by the deterministic autopilot, each pinned by the hash of the
// state it ends in (drawn every frame or one in seven), the hash of everything drawn on the way and the
// count of every sound asked for. Any
// change to a level script, a behaviour, a fire pattern, a rule of play, a picture or a sound moves one;
// a change meant to alter the game updates them here in the same commit and says why.
#include <ostream>
#include <string>

#include "test_support.h"

namespace {

struct Recorded {
    const char* name;
    const char* args;
    const char* hash;
    const char* drawn;
    const char* sounds;  // every sound effect asked for, counted
};

void PrintTo(const Recorded& game, std::ostream* os) { *os << game.args; }

class RecordedGame : public testing::TestWithParam<Recorded> {};

TEST_P(RecordedGame, EndsInTheStateItAlwaysEndedIn) {
    const Recorded& game = GetParam();
    std::string dir = MakeScratchDir(), out;
    int status = RunCommand(std::string(QUIVEX_SIM_PATH) + " --drawn --dir " + dir + " " + game.args + " 2>&1", out);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(SummaryValue(out, "hash"), game.hash) << out;
    EXPECT_EQ(SummaryValue(out, "drawn"), game.drawn) << out;
    EXPECT_EQ(SummaryValue(out, "sounds"), game.sounds) << out;

    // Drawing only reads: with one frame in seven drawn, the rest played unseen, the game is the same.
    std::string unseen;
    status = RunCommand(std::string(QUIVEX_SIM_PATH) + " --draw-every 7 --dir " + MakeScratchDir() + " " + game.args +
                            " 2>&1", unseen);
    ASSERT_EQ(status, 0) << unseen;
    EXPECT_EQ(SummaryValue(unseen, "hash"), game.hash) << unseen;
    EXPECT_EQ(SummaryValue(unseen, "sounds"), game.sounds) << unseen;
}

// Each level played through with the ship kept alive, the last boss fought and destroyed to the end of
// its practice, the boss rush, and a full game lost.
INSTANTIATE_TEST_SUITE_P(
    Games, RecordedGame,
    testing::Values(
        Recorded{"Level1", "--start level 1 --bot --immortal --frames 20000", "3e4e1f5b8ea0023c", "e55c4cb1a8d35440",
                 "1=48 2=2266 5=74 7=2 9=50 10=57 11=108 12=2 13=5 explosion=82 shot=2031 warning=4"},
        Recorded{"Level2", "--start level 2 --bot --immortal --frames 20000", "5b78f95ce4c984d7", "10e98e20e9d136aa",
                 "1=81 2=3961 5=20 7=2 9=111 10=99 11=522 12=30 13=5 explosion=117 shot=2638 warning=4"},
        Recorded{"Level3", "--start level 3 --bot --immortal --frames 20000", "365cc5759fdafab9", "47b220962bef3929",
                 "1=130 2=7151 5=22 7=2 8=1 9=149 10=197 11=1231 12=80 13=5 explosion=185 shot=2311 warning=4"},
        Recorded{"Level4", "--start level 4 --bot --immortal --frames 20000", "9bbff1945e4e3869", "19aff50382e9d463",
                 "1=128 2=12709 7=1 8=1 9=137 11=795 12=68 13=5 explosion=139 shot=2839 warning=4"},
        Recorded{"Boss4", "--start boss 4 --bot --immortal --frames 9000", "52696d9d99afb8e5", "08808671e5a7489a",
                 "2=5602 5=29 9=62 10=1 11=563 12=62 13=5 explosion=24 shot=637 warning=4"},
        Recorded{"BossRush", "--start rush --bot --immortal --frames 20000", "a1213f0df455da4d", "21e40808ce6aae5c",
                 "2=11700 7=3 9=38 11=507 12=34 13=5 explosion=33 shot=3474 warning=16"},
        Recorded{"FullGameLost", "--start full --bot --frames 20000", "e671ac9209f7b66f", "95cc4845b2ac7c2d",
                 "1=36 2=390 3=5 5=156 9=33 11=31 13=5 explosion=41 shot=757"}),
    [](const testing::TestParamInfo<Recorded>& info) { return std::string(info.param.name); });

// A pause of a hundred frames mid-level and mid-boss-fight freezes everything: the game then ends in the
// very state it ends in unpaused.
TEST(RecordedPause, APauseChangesNothingButTheTime) {
    for (std::string start : {"level 2", "rush"}) {
        std::string dir = MakeScratchDir(), plain, paused;
        WriteFile(dir + "/pause.keys", "3000 +197\n3002 -197\n3100 +197\n3102 -197\n");
        std::string run =
            std::string(QUIVEX_SIM_PATH) + " --drawn --dir " + dir + " --start " + start + " --bot --immortal";
        ASSERT_EQ(RunCommand(run + " --frames 4000 2>&1", plain), 0) << plain;
        ASSERT_EQ(RunCommand(run + " --keys " + dir + "/pause.keys --frames 4100 2>&1", paused), 0) << paused;
        EXPECT_EQ(SummaryValue(paused, "hash"), SummaryValue(plain, "hash")) << start;
        EXPECT_NE(SummaryValue(paused, "drawn"), SummaryValue(plain, "drawn")) << start;  // it did pause
    }
}

// Every menu page visited by keys as a player would (practice, each options item, a binding captured and
// saved, credits, volumes, replays, records), then a game started and left: pins the menus' pictures and rules,
// and what the files keep.
TEST(RecordedMenus, ATourOfEveryPageEndsInTheSameStateAndFiles) {
    enum { R = 28, D = 208, Rt = 205, L = 203, Esc = 1, C = 46, Wait = -1 };
    const int tour[] = {D, R, Rt, D, Rt, D, Rt, D, R,                                   // practice
                        D, D, D, R, Rt, Wait, Rt, Wait, L, L, Wait, D, Rt, D, Rt, L,    // display, window, size
                        D, Rt, D, Rt, D, R, D, D, D, R, C, D, D, D, D, R,               // effects full, smoothing off, ship right: C
                        D, D, D, D, D, D, R, Wait, Wait, R,                             // credits
                        D, D, D, D, D, D, D, L, L, D, L, D, R,                          // volumes, back to main
                        D, D, D, D, R, R, D, D, R,                                      // replays
                        D, D, D, D, D, R, D, R, D, D, D, D, D, D, D, D, D, R,          // records
                        R};                                                             // start game
    std::string keys;
    int frame = 2;
    for (int code : tour) {
        if (code == Wait) {
            frame += 60;
            continue;
        }
        keys += std::to_string(frame) + " +" + std::to_string(code) + "\n" + std::to_string(frame + 2) + " -" +
                std::to_string(code) + "\n";
        frame += 4;
    }
    keys += std::to_string(frame + 1500) + " +1\n";  // leave the game
    std::string dir = MakeScratchDir(), out;
    WriteFile(dir + "/tour.keys", keys);
    int status = RunCommand(std::string(QUIVEX_SIM_PATH) + " --drawn --dir " + dir + " --keys " + dir +
                                "/tour.keys --bot --frames 2400 2>&1", out);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(SummaryValue(out, "mode"), "0") << out;
    EXPECT_EQ(SummaryValue(out, "hash"), "f0f4ea819ed1c2d6") << out;
    EXPECT_EQ(SummaryValue(out, "drawn"), "d40ad7cfe9cd095b") << out;
    EXPECT_EQ(SummaryValue(out, "sounds"), "1=19 2=69 5=9 9=4 11=1 13=5 explosion=21 shot=236") << out;
    EXPECT_EQ(ReadFile(dir + "/quivex.cfg"), "9990 200 208 203 46 45 44 197 2002 2003 2000 2001 1000 1001 1 1 0 1 0 "
                                             "0 0 0 0 0 0 0 0 0 100 100");
    EXPECT_EQ(ReadFile(dir + "/options.cfg"), "music_volume = 8\neffects_volume = 9\neffects = full\nresolution = fixed\nsmoothing = off\n"
                                               "online_boards = off\n");
    EXPECT_EQ(ReadFile(dir + "/records.cfg"), "full_level = 1\n");
}

// The game's rules carry a version, kept in each replay, and a replay plays only in its own. Replays kept
// here from each version: those of this build's version play to their recorded end, so a change that
// alters a recorded game without raising the version fails here; the others are refused, naming both.
TEST(RecordedReplays, PlayOnlyInTheVersionOfTheRulesTheyWereRecordedIn) {
    const std::string dir = std::string(QUIVEX_SOURCE_DIR) + "/tests/app/replays/";
    int played = 0, refused = 0;
    for (const char* name : {"v1-full_game", "v1-level2", "v1-boss3", "v1-boss_rush", "v2-full_game", "v2-level2", "v2-boss3"}) {
        const std::string file = dir + name + ".qxr", bytes = ReadFile(file);
        ASSERT_GE(bytes.size(), 12u) << name;
        const int version = static_cast<unsigned char>(bytes[8]) | static_cast<unsigned char>(bytes[9]) << 8;
        std::string out, verdict;
        const std::string sim = std::string(QUIVEX_SIM_PATH) + " --dir " + MakeScratchDir();
        const int status = RunCommand(sim + " --replay " + file + " 2>&1", out);
        RunCommand(sim + " --verify " + file, verdict);
        const std::string ours = "\"game_version\":" + std::to_string(version) + ",";
        if (verdict.find(ours) != std::string::npos) {
            EXPECT_EQ(status, 0) << name << ": raise the game's version with a change that alters recorded games\n" << out;
            ++played;
        } else {
            EXPECT_EQ(status, 2) << name << "\n" << out;
            EXPECT_NE(out.find("a replay of game version " + std::to_string(version) + ", which this game (version"),
                      std::string::npos) << out;
            ++refused;
        }
    }
    EXPECT_GE(played, 3);  // the replays of this version are kept here when it is raised
    EXPECT_GE(refused, 4);
}

}  // namespace
