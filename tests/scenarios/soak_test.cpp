// Long runs of every kind of game in turn, flown by the autopilot. Under the sanitizer build any memory
// or undefined-behaviour fault ends the runner with an error. QUIVEX_SOAK_FRAMES sets the length of
// each run (`make soak` runs a million frames in all).
#include <cstdlib>
#include <string>

#include "test_support.h"

namespace {

long long SoakFrames() {
    const char* text = std::getenv("QUIVEX_SOAK_FRAMES");
    long long frames = text ? std::atoll(text) : 0;
    return frames > 0 ? frames : 60000;
}

// framesPerGame: the longest a game may take on average before the run counts as stuck.
void Soak(const std::string& flags, long long framesPerGame) {
    const long long frames = SoakFrames();
    std::string out;
    int status = RunCommand(std::string(QUIVEX_SIM_PATH) + " --cycle --bot " + flags + " --frames " +
                                std::to_string(frames) + " --dir " + MakeScratchDir() + " 2>&1",
                            out);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(SummaryValue(out, "frames"), std::to_string(frames));
    // Games keep ending and the next one starting: nothing got stuck.
    EXPECT_GE(std::stoll(SummaryValue(out, "games")), 1 + frames / framesPerGame) << out;
}

// Indestructible: every game plays to its end, through every boss death and report.
TEST(Soak, EveryKindOfGameToItsEnd) { Soak("--immortal", 40000); }

// Mortal: most games end in game over, many of them in the middle of a fight.
TEST(Soak, EveryKindOfGameLost) { Soak("", 15000); }

}  // namespace
