// Recorded games: whole games flown by the deterministic autopilot, each pinned by the hash of the
// state it ends in. Any change to a level script, a behaviour, a fire pattern or a rule of play moves a
// hash; a change meant to alter the game updates the hash here in the same commit and says why.
#include <ostream>
#include <string>

#include "test_support.h"

namespace {

struct Recorded {
    const char* name;
    const char* args;
    const char* hash;
};

void PrintTo(const Recorded& game, std::ostream* os) { *os << game.args; }

class RecordedGame : public testing::TestWithParam<Recorded> {};

TEST_P(RecordedGame, EndsInTheStateItAlwaysEndedIn) {
    const Recorded& game = GetParam();
    std::string dir = MakeScratchDir(), out;
    int status = RunCommand(std::string(QUIVEX_SIM_PATH) + " --dir " + dir + " " + game.args + " 2>&1", out);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(SummaryValue(out, "hash"), game.hash) << out;
}

// Each level played through with the ship kept alive, the boss rush, and a full game lost.
INSTANTIATE_TEST_SUITE_P(
    Games, RecordedGame,
    testing::Values(Recorded{"Level1", "--start level 1 --bot --immortal --frames 20000", "c54ec07f68059b67"},
                    Recorded{"Level2", "--start level 2 --bot --immortal --frames 20000", "76c10bde428dd1b9"},
                    Recorded{"Level3", "--start level 3 --bot --immortal --frames 20000", "d96d66c739872b30"},
                    Recorded{"Level4", "--start level 4 --bot --immortal --frames 20000", "93e0c48bae3a3073"},
                    Recorded{"BossRush", "--start rush --bot --immortal --frames 20000", "d624f99aef4d0e77"},
                    Recorded{"FullGameLost", "--start full --bot --frames 20000", "063f21f1bfb4b8b5"}),
    [](const testing::TestParamInfo<Recorded>& info) { return std::string(info.param.name); });

}  // namespace
