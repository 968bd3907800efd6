// The runner's verdict on a replay, as the board server asks for it: what it plays, what it refuses
// before playing, and what keeps a game that played off the boards.
#include <string>

#include "test_support.h"

namespace {

struct Judged {
    int status;
    std::string json;
};

Judged Verify(const std::string& file) {
    Judged j;
    j.status = RunCommand(std::string(QUIVEX_SIM_PATH) + " --dir " + MakeScratchDir() + " --verify " + file, j.json);
    return j;
}

bool Has(const Judged& j, const std::string& part) { return j.json.find(part) != std::string::npos; }

std::string Forge(const std::string& what) {
    std::string file = MakeScratchDir() + "/" + what + ".qxr", out;
    EXPECT_EQ(RunCommand(std::string(QUIVEX_FORGE_PATH) + " " + what + " " + file + " 2>&1", out), 0) << out;
    return file;
}

// Two games started from the menu by keys, the first flown by the autopilot: the second starts from
// exactly what the first one started from, so its replay is judged a valid full game.
TEST(Verify, AGameStartedFromTheMenuAfterAnotherIsValidAndRanked) {
    std::string dir = MakeScratchDir(), out;
    WriteFile(dir + "/two.keys", "2 +28\n4 -28\n900 +1\n902 -1\n960 +28\n962 -28\n1300 +1\n1302 -1\n");
    ASSERT_EQ(RunCommand(std::string(QUIVEX_SIM_PATH) + " --bot --dir " + dir + " --keys " + dir + "/two.keys --frames 1400 2>&1", out), 0) << out;
    const Judged j = Verify(dir + "/replays/last.qxr");
    EXPECT_EQ(j.status, 20) << j.json;
    for (const char* part : {"\"verdict\":\"valid\"", "\"kind\":\"full\"", "\"board\":\"full\"", "\"ended_as_recorded\":true",
                             "\"outcome\":{\"score\":", "\"ineligible\":[]", "\"frames\":34"})
        EXPECT_TRUE(Has(j, part)) << part << " in " << j.json;
}

// Starts no game makes, each with an end it really reaches: the replay plays to that end, yet the
// verdict refuses it before a frame is played, naming what differs.
TEST(Verify, ForgedStartsAndLengthsAreRefusedBeforePlaying) {
    const struct {
        const char* what;
        const char* reason;
    } forged[] = {{"boss-hp", "the level (its clock, the bosses) differs"},
                  {"lives", "the game (lives, level, weapon, energy) differs"},
                  {"clock", "the level (its clock, the bosses) differs"},
                  {"long-pause", "more frames (3000000000) than such a game can last"}};
    for (const auto& f : forged) {
        const std::string file = Forge(f.what);
        std::string out;
        if (std::string(f.what) != "long-pause") {
            EXPECT_EQ(RunCommand(std::string(QUIVEX_SIM_PATH) + " --dir " + MakeScratchDir() + " --replay " + file + " 2>&1", out), 0)
                << f.what << ": " << out;
        }
        const Judged j = Verify(file);
        EXPECT_EQ(j.status, 21) << f.what << ": " << j.json;
        EXPECT_TRUE(Has(j, f.reason)) << f.what << ": " << j.json;
    }
}

// A replay of the runner's indestructible ship plays to its end and earns a time, but is no record; the
// same replay with its end changed ends elsewhere; a file that is no replay is unreadable.
TEST(Verify, IneligibleDamagedAndForeignFilesEachHaveTheirStatus) {
    std::string dir = MakeScratchDir(), out;
    ASSERT_EQ(RunCommand(std::string(QUIVEX_SIM_PATH) + " --dir " + dir + " --start boss 1 --bot --immortal --frames 9000 --record " +
                             dir + "/boss.qxr 2>&1", out), 0) << out;
    Judged j = Verify(dir + "/boss.qxr");
    EXPECT_EQ(j.status, 23) << j.json;
    EXPECT_TRUE(Has(j, "\"board\":\"boss-1\"") && Has(j, "\"outcome\":{\"frames\":") &&
                Has(j, "\"ineligible\":[\"the ship was indestructible\"]")) << j.json;

    std::string bytes = ReadFile(dir + "/boss.qxr");
    bytes[20] ^= 1;  // the final hash
    WriteFile(dir + "/moved.qxr", bytes);
    j = Verify(dir + "/moved.qxr");
    EXPECT_EQ(j.status, 22) << j.json;
    EXPECT_TRUE(Has(j, "\"ended_as_recorded\":false") && Has(j, "\"outcome\":null")) << j.json;

    WriteFile(dir + "/text.qxr", "QXRP but \"no\" replay\n");
    j = Verify(dir + "/text.qxr");
    EXPECT_EQ(j.status, 21) << j.json;
    EXPECT_TRUE(Has(j, "\"reason\":\"not a replay file\"") && Has(j, "\"kind\":null")) << j.json;
}

}  // namespace
