// Records: "records.cfg" read line by line, and boss fights won by the runner's autopilot keeping the
// fastest time with the replay that set it.
#include <cstring>
#include <string>

#include "game/records.h"
#include "test_support.h"

namespace {

std::string Format() {
    char text[1024];
    const int n = FormatRecords(text, sizeof text);
    return n < 0 ? "(refused)" : std::string(text, static_cast<size_t>(n));
}

// Damage of every kind the options file is tried with, each beside good lines that must survive it.
TEST(Records, EachGoodLineSurvivesTheBadOnesBesideIt) {
    const std::string good = "level_2_collected = 88\nboss_3_frames=1234\n  rush_frames   =  9000  \r\nboss_3_30hz = 1\n";
    const char* const damage[] = {
        "level_2_collected = 91\n",            // beyond the level's energy
        "level_2_held = -2\nfull_level = 6\n",  // out of range
        "boss_1_frames = x\nboss_2_frames =\n", "boss_4_frames = 216001\n", "rush_frames = 12 34\n",
        "colour = 3\nBOSS_1_FRAMES = 5\n",       // unknown names, a name in capitals
        "rush_frames\n= 3\n", "\x01\xff garbage\n", "boss_1_frames = 99999999999999999999\n", "",
    };
    for (const char* bad : damage) {
        const std::string text = std::string(bad) + good + bad + "level_2_";  // and a file cut short
        LoadRecordsFromText(text.data(), text.size());
        EXPECT_EQ(Records.levelCollected[1], 88) << bad;
        EXPECT_EQ(Records.levelHeld[1], -1) << bad;
        EXPECT_EQ(Records.bossFrames[2], 1234) << bad;
        EXPECT_EQ(Records.boss30Hz[2], 1) << bad;
        EXPECT_EQ(Records.rushFrames, 9000) << bad;
        EXPECT_EQ(Records.fullLevel, 0) << bad;
        EXPECT_EQ(Records.bossFrames[0] + Records.bossFrames[1] + Records.bossFrames[3], 0) << bad;
        // Written back: only what is held, in a form read the same way.
        EXPECT_EQ(Format(), "level_2_collected = 88\nboss_3_frames = 1234\nboss_3_30hz = 1\nrush_frames = 9000\n") << bad;
    }
    const char* later = "boss_1_frames = 500\nboss_1_frames = 400\nboss_1_frames = 0x10\n";  // the last good line wins
    LoadRecordsFromText(later, std::strlen(later));
    EXPECT_EQ(Records.bossFrames[0], 400);
    char small[8];
    EXPECT_EQ(FormatRecords(small, sizeof small), -1);
}

// A boss fight won by the autopilot with its fire held back for 300 frames, then faster with no pause,
// then slower again: the fastest time stays, with its replay, which plays back to its end.
TEST(Records, ABossFightWonFasterKeepsTheFasterTimeAndItsReplay) {
    const std::string dir = MakeScratchDir();
    WriteFile(dir + "/slow.keys", "600 -45\n900 +45\n");  // the fire key let go, and pressed again
    auto win = [&](const std::string& how) {
        std::string out;
        const std::string command = std::string(QUIVEX_SIM_PATH) + " --frames 8000 --start boss 1 --bot --immortal " +
                                    how + " --dir " + dir + " 2>&1";
        EXPECT_EQ(RunCommand(command, out), 0) << out;
        EXPECT_EQ(SummaryValue(out, "mode"), "0") << "the fight did not end:\n" << out;
        LoadRecordsFromText("", 0);
        const std::string text = ReadFile(dir + "/records.cfg");
        LoadRecordsFromText(text.data(), text.size());
        return Records.bossFrames[0];
    };
    const std::string slow = "--keys " + dir + "/slow.keys";
    const int32_t slower = win(slow);
    ASSERT_GT(slower, 0);
    const std::string slowerReplay = ReadFile(dir + "/replays/boss-1.qxr");
    ASSERT_EQ(slowerReplay, ReadFile(dir + "/replays/last.qxr"));

    const int32_t faster = win("");
    ASSERT_LT(faster, slower);
    const std::string fasterReplay = ReadFile(dir + "/replays/boss-1.qxr");
    EXPECT_NE(fasterReplay, slowerReplay);
    EXPECT_EQ(fasterReplay, ReadFile(dir + "/replays/last.qxr"));

    EXPECT_EQ(win(slow), faster);
    EXPECT_EQ(ReadFile(dir + "/replays/boss-1.qxr"), fasterReplay);
    EXPECT_EQ(ReadFile(dir + "/replays/last.qxr"), slowerReplay);
    std::string out;
    EXPECT_EQ(RunCommand(std::string(QUIVEX_SIM_PATH) + " --replay " + dir + "/replays/boss-1.qxr --dir " +
                             MakeScratchDir() + " 2>&1", out), 0) << out;
    EXPECT_EQ(ReadFile(dir + "/err.log").find("could not"), std::string::npos);

    // F9 + F12 on the main menu, then the same fight chosen on the practice page: won, and kept nowhere.
    const std::string records = ReadFile(dir + "/records.cfg");
    const std::string cheat = dir + "/cheat.keys";
    WriteFile(cheat, "2 +67\n2 +88\n6 -67\n6 -88\n10 +208\n12 -208\n14 +28\n16 -28\n"
                     "18 +208\n20 -208\n22 +208\n24 -208\n26 +28\n28 -28\n");
    EXPECT_EQ(RunCommand(std::string(QUIVEX_SIM_PATH) + " --frames 8000 --bot --immortal --keys " + cheat + " --dir " + dir +
                             " 2>&1", out), 0) << out;
    EXPECT_EQ(SummaryValue(out, "level"), "0");
    EXPECT_NE(ReadFile(dir + "/replays/last.qxr"), slowerReplay);  // a fight was played
    EXPECT_EQ(ReadFile(dir + "/records.cfg"), records);
}

}  // namespace
