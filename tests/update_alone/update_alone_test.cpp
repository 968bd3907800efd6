// The update builds as a library of its own, with no renderer, sound device or platform backend, and a
// program linked against it alone plays the game exactly as the whole program does while it draws every
// frame and plays its sounds: drawing and sound only read the world.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <string>

#include "audio/audio.h"
#include "draw/frame.h"
#include "drill.h"
#include "test_support.h"
#include "world/world.h"

namespace {

TEST_F(HeadlessTest, TheUpdateLinkedAloneEndsWhereTheDrawnProgramEnds) {
    constexpr int kFrames = 2400;
    std::string out;
    ASSERT_EQ(RunCommand(std::string(QUIVEX_UPDATE_ALONE_PATH) + " " + MakeScratchDir() + " " + std::to_string(kFrames), out), 0)
        << out;
    uint64_t drawn = 0;
    uint64_t calls = 0;
    drawn = PlayDrill(kFrames, [] {
        RenderFrame(W);
        PlayRequestedSounds();
    });
    calls = h().gfx.drawCallsTotal;
    char expected[32];
    std::snprintf(expected, sizeof expected, "%016" PRIx64 "\n", drawn);
    EXPECT_EQ(out, expected);
    EXPECT_GT(calls, static_cast<uint64_t>(kFrames));  // the whole program did draw
    EXPECT_GT(W.SoundsPlayed.shot, 0u);
    EXPECT_NE(W.Program.GameMode, Mode::Menu);  // still in the rush: the drill played
}

}  // namespace
