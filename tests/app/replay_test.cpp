// Replays: a game recorded by the runner plays back to the state it ended in; a damaged, cut or foreign
// file is refused with a reason and never half played.
#include <cstdlib>
#include <string>
#include <vector>

#include "app/replay.h"
#include "test_support.h"

namespace {

std::string Sim(const std::string& args, int& status) {
    std::string out;
    status = RunCommand(std::string(QUIVEX_SIM_PATH) + " " + args + " 2>&1", out);
    return out;
}

class ReplayTest : public HeadlessTest {};

TEST_F(ReplayTest, ARecordedGamePlaysBackToItsStateAndDamageIsRefused) {
    int status = 0;
    std::string recorded = Sim("--dir " + dir + "/rec --start level 2 --bot --immortal --frames 3000 --record " + dir +
                                   "/r.qxr",
                               status);
    ASSERT_EQ(status, 0) << recorded;
    std::string played = Sim("--dir " + dir + "/play --replay " + dir + "/r.qxr", status);
    EXPECT_EQ(status, 0) << played;
    EXPECT_EQ(SummaryValue(played, "hash"), SummaryValue(recorded, "hash"));
    EXPECT_EQ(SummaryValue(played, "frames"), "3000");
    // A file that cannot be written (the disk full when it is closed) is a failure, said so.
    const std::string full = Sim("--dir " + dir + "/full --start level 2 --bot --frames 60 --record /dev/full", status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(full.find("cannot write /dev/full"), std::string::npos) << full;

    // A game played to its end is kept as the last game, and a full game with a new high score as the
    // best; the last game plays back to where it ended.
    std::string lost = Sim("--dir " + dir + "/lost --start full --bot --frames 7000", status);
    ASSERT_EQ(SummaryValue(lost, "lives"), "0") << lost;
    EXPECT_TRUE(FileExists(dir + "/lost/replays/best.qxr"));
    EXPECT_LT(ReadFile(dir + "/lost/replays/last.qxr").size(), 64u * 1024);  // a whole game, kilobytes
    played = Sim("--dir " + dir + "/again --replay " + dir + "/lost/replays/last.qxr", status);
    EXPECT_EQ(status, 0) << played;
    EXPECT_EQ(SummaryValue(played, "mode"), "0");
    EXPECT_FALSE(FileExists(dir + "/again/replays"));  // watching records nothing
    // Started at a frame of it, a replay is there just as when played to that frame from its start, and
    // played on from there it ends where it was recorded; a frame past its end is refused.
    const std::string last = " --replay " + dir + "/lost/replays/last.qxr";
    for (const char* at : {"1", "1500", "4321"})
        EXPECT_EQ(Sim("--dir " + dir + "/seek" + last + " --seek " + at + " --frames 0", status),
                  Sim("--dir " + dir + "/to" + last + " --frames " + at, status)) << at;
    EXPECT_EQ(Sim("--dir " + dir + "/seek" + last + " --seek 2500", status), played);
    EXPECT_EQ(status, 0);
    Sim("--dir " + dir + "/seek" + last + " --seek 99999", status);
    EXPECT_EQ(status, 2);

    std::string file = ReadFile(dir + "/r.qxr");
    ASSERT_GT(file.size(), 40u);
    EXPECT_LT(file.size(), 8000u);  // the inputs change rarely: a few kilobytes
    // A changed input byte: refused as damaged (2), or played to another end (3); random bytes: 2.
    std::string flipped = file;
    flipped[flipped.size() - 3] ^= 0x20;
    WriteFile(dir + "/flipped.qxr", flipped);
    Sim("--dir " + dir + "/flip --replay " + dir + "/flipped.qxr", status);
    EXPECT_TRUE(status == 2 || status == 3) << status;
    WriteFile(dir + "/noise.qxr", std::string(3000, 'q'));
    std::string refused = Sim("--dir " + dir + "/noise --replay " + dir + "/noise.qxr", status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(refused.find("not a replay file"), std::string::npos) << refused;

}

}  // namespace
