// A program linked against the update alone (no renderer, sound or platform) plays exactly as the whole
// program does while drawing every frame and playing its sounds: drawing and sound only read the world.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <string>

#include "audio/audio.h"
#include "draw/frame.h"
#include "drill.h"
#include "test_support.h"

namespace {

TEST_F(HeadlessTest, TheUpdateLinkedAloneEndsWhereTheDrawnProgramEnds) {
    InitSound();
    std::string alone;
    ASSERT_EQ(RunCommand(std::string(QUIVEX_UPDATE_ALONE_PATH) + " " + MakeScratchDir() + " 2400", alone), 0) << alone;
    const uint64_t drawn = PlayDrill(2400, [] {
        RenderFrame(W);
        PlayRequestedSounds();
    });
    char expected[32];
    std::snprintf(expected, sizeof expected, "%016" PRIx64 "\n", drawn);
    EXPECT_EQ(alone, expected);
    EXPECT_GT(h().gfx.drawCallsTotal, 2400u);  // the whole program did draw,
    EXPECT_GT(h().sound.samplePlays[6], 0u);   // and play the shots (sample 7)
    EXPECT_NE(W.Program.GameMode, Mode::Menu);  // still in the rush: the drill played
}

}  // namespace
