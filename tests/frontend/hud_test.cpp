// The HUD's pictures are pinned by the recorded games; the game-over text is the one they never reach.
#include "frontend/frontend.h"
#include "front_support.h"
#include "game/game_flow.h"
#include "world/world.h"

namespace {

using HudTest = FrontEndTest;

TEST_F(HudTest, GameOverShowsWhileTheTimerRunsThenTheMenuReturns) {
    StartFromMenu(StartFullGame, 0);
    Pass();
    W.Game.Lives = 0;
    int frames = 0, shown = 0;
    while (W.Program.GameMode == Mode::Playing && frames < 300) {
        ClearFrontTextLog();
        Pass();
        auto texts = Texts("game over");
        if (!texts.empty()) {
            ++shown;
            EXPECT_FLOAT_EQ(texts[0].x, 251);
            EXPECT_FLOAT_EQ(texts[0].y, 250);
            EXPECT_FLOAT_EQ(texts[0].size, 30);
            EXPECT_LT(W.Game.GameOverTimer, 200);
        }
        ++frames;
    }
    EXPECT_EQ(W.Program.GameMode, Mode::Menu);
    EXPECT_EQ(frames, 201);
    EXPECT_EQ(shown, 199);  // timer values 1..199 after each update
}

}  // namespace
