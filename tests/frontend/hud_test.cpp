#include <glm/mat4x4.hpp>

#include "frontend/frontend.h"
#include "frontend/hud.h"
#include "front_support.h"
#include "game/game_flow.h"
#include "game/level_state.h"
#include "render/batches.h"
#include "shell/game_vars.h"
#include "shell/timing.h"

namespace {

std::vector<plat::DrawCall> presented;
void KeepCalls() { presented = plat::headless().gfx.calls; }

class HudTest : public FrontEndTest {
protected:
    void SetUp() override {
        FrontEndTest::SetUp();
        BeforePresentHook = KeepCalls;
    }
    void TearDown() override {
        BeforePresentHook = nullptr;
        FrontEndTest::TearDown();
    }
    FrontTextEntry One(const char* text) {
        auto found = Texts(text);
        EXPECT_EQ(found.size(), 1u) << text;
        return found.empty() ? FrontTextEntry{} : found[0];
    }
    void ExpectAt(const char* text, float x, float y, float size) {
        FrontTextEntry e = One(text);
        EXPECT_FLOAT_EQ(e.x, x) << text;
        EXPECT_FLOAT_EQ(e.y, y) << text;
        EXPECT_FLOAT_EQ(e.size, size) << text;
    }
    void ShowCounters() {
        Held = 7;
        PeakHeld = 12;
        HiScore = 3;
        ClearFrontTextLog();
        Pass();
    }
};

TEST_F(HudTest, CountersInEachLayoutAndTheHighScoreFollowsTheBest) {
    // Held, best, high score, "hi" and lives: x and y of each, then the big and small sizes.
    struct Layout {
        float held[2], best[2], hi[2], hiWord[2], lives[2], big, small, hiSize;
    };
    const Layout layouts[3] = {
        {{26, 6}, {87, 24}, {555, 6}, {540, 12}, {65, 40}, 40, 20, 20},
        {{6, -4}, {67, 8}, {555, -4}, {540, 4}, {135, 2}, 40, 20, 20},
        {{140, 6}, {186, 15}, {457, 6}, {447, 11}, {170, 40}, 30, 15, 12},
    };
    for (int o = 0; o < 3; ++o) {
        SCOPED_TRACE(o);
        const Layout& l = layouts[o];
        ScreenOrientation = o;
        StartFromMenu(StartFullGame, 0);
        ShowCounters();
        EXPECT_EQ(HiScore, 12);
        ExpectAt("007", l.held[0], l.held[1], l.big);
        ExpectAt("/012", l.best[0], l.best[1], l.small);
        ExpectAt("012", l.hi[0], l.hi[1], l.big);
        ExpectAt("hi", l.hiWord[0], l.hiWord[1], l.hiSize);
        ExpectAt("5", l.lives[0], l.lives[1], l.small);
    }
}

TEST_F(HudTest, PracticeNeitherShowsNorRaisesTheHighScore) {
    for (int kind : {StartLevelPractice, StartBossPractice, StartBossRush}) {
        PracticeUnlocked[0] = BossUnlocked[0] = BossRushUnlocked = 1;
        StartFromMenu(kind, 0);
        ShowCounters();
        EXPECT_EQ(HiScore, 3) << kind;
        EXPECT_FALSE(Drawn("hi")) << kind;
        EXPECT_FALSE(Drawn("003")) << kind;
        EXPECT_TRUE(Drawn("007")) << kind;
    }
}

TEST_F(HudTest, PausedBlinksTwelveFramesOutOfSeventeen) {
    StartFromMenu(StartFullGame, 0);
    Pass();
    GameMode = Mode::Paused;
    int shown = 0;
    for (int i = 0; i < 17 * 4; ++i) {
        ClearFrontTextLog();
        Pass();
        if (Drawn("...paused")) {
            ++shown;
            ExpectAt("...paused", 400, 470, 20);
        }
    }
    EXPECT_EQ(shown, 12 * 4);
    ASSERT_EQ(GameMode, Mode::Paused);
}

TEST_F(HudTest, GameOverShowsWhileTheTimerRunsThenTheMenuReturns) {
    StartFromMenu(StartFullGame, 0);
    Pass();
    Lives = 0;
    int frames = 0, shown = 0;
    while (GameMode == Mode::Playing && frames < 300) {
        ClearFrontTextLog();
        Pass();
        if (Drawn("game over")) {
            ++shown;
            ExpectAt("game over", 251, 250, 30);
            EXPECT_LT(GameOverTimer, 200);
        }
        ++frames;
    }
    EXPECT_EQ(GameMode, Mode::Menu);
    EXPECT_EQ(frames, 201);
    EXPECT_EQ(shown, 199);  // timer values 1..199 after each update
}

TEST_F(HudTest, TheLevelTitleTumblesInWithItsEchoesAndFades) {
    StartFromMenu(StartFullGame, 0);
    int bright = 0, lastFade = 0;
    for (int t = 1; t <= 200; ++t) {
        ClearFrontTextLog();
        Pass();
        ASSERT_EQ(LevelTitleTimer, t);
        auto title = Texts("LEVEL ONE");
        auto subtitle = Texts("they can't buy backbone");
        if (t >= 160) {
            EXPECT_TRUE(title.empty()) << t;
            continue;
        }
        ASSERT_EQ(title.size(), 19u) << t;
        ASSERT_EQ(subtitle.size(), 19u) << t;
        EXPECT_FLOAT_EQ(title[0].x, 0.5f * t - 40);
        EXPECT_FLOAT_EQ(subtitle[0].x, 60 - t / 3.0f);
        EXPECT_FLOAT_EQ(title[1].z, -30);
        EXPECT_FLOAT_EQ(title[18].z, 38);
        EXPECT_EQ(title[0].colour, 0xFF000000u | static_cast<uint32_t>(TitleFade) * 0x010101u);
        EXPECT_EQ(title[1].colour, 0xFF000000u | static_cast<uint32_t>(TitleFade / 16) * 0x010101u);
        if (t == 1) { EXPECT_EQ(TitleFade, 16); }
        if (t > 1 && t <= 140) { EXPECT_GE(TitleFade, lastFade); }
        if (t > 141) { EXPECT_LE(TitleFade, lastFade); }
        bright = std::max(bright, TitleFade);
        lastFade = TitleFade;
    }
    EXPECT_EQ(bright, 255);
    EXPECT_EQ(lastFade, 0);
}

TEST_F(HudTest, TheTitleTurnsAboutXFirstThenYThenMovesIntoPlace) {
    StartFromMenu(StartFullGame, 0);
    Pass(59);
    Pass();  // T = 60: -30 degrees about x, then 10 about y
    ASSERT_EQ(LevelTitleTimer, 60);
    const plat::DrawCall* text = nullptr;
    for (const plat::DrawCall& c : presented)
        if (c.cullClockwise && c.world != glm::mat4(1.0f)) {
            text = &c;
            break;
        }
    ASSERT_NE(text, nullptr);
    glm::vec4 origin = text->world * glm::vec4(0, 0, 0, 1);
    EXPECT_NEAR(origin.x, 226, 1e-3);
    EXPECT_NEAR(origin.y, 248, 1e-3);
    glm::vec4 down = text->world * glm::vec4(0, 1, 0, 0);
    EXPECT_NEAR(down.x, -0.5f * 0.173648f, 1e-4);  // would be 0 in the other order
    EXPECT_NEAR(down.y, 0.866025f, 1e-4);
    EXPECT_NEAR(down.z, -0.5f * 0.984808f, 1e-4);
}

TEST_F(HudTest, PausedTitleHoldsItsBrightness) {
    StartFromMenu(StartFullGame, 0);
    Pass(150);
    int fade = TitleFade;
    GameMode = Mode::Paused;
    Pass(40);
    EXPECT_EQ(TitleFade, fade);
    EXPECT_EQ(LevelTitleTimer, 150);
}

// Quads in the triangle batch: top y (first vertex) and bottom y (third vertex).
struct Segment {
    float top, bottom;
};
std::vector<Segment> Segments() {
    std::vector<Segment> out;
    for (int i = 0; i + 5 < TriangleVertexCount; i += 6) out.push_back({TriangleBatch[i].y, TriangleBatch[i + 2].y});
    return out;
}

TEST_F(HudTest, BossBarMinus90ShowsFiveFullSegments) {
    ResetBatches();
    AddBossBarFill(560, 300, -90, 0xFFFF0000);
    auto s = Segments();
    ASSERT_EQ(s.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        EXPECT_FLOAT_EQ(s[k].bottom - s[k].top, 13) << k;
        EXPECT_FLOAT_EQ(s[k].bottom, 480 - 18.5f * k);
    }
}

TEST_F(HudTest, BossBarMinus100ShowsFiveFullAndSevenAndAHalfUnitsOfTheSixth) {
    ResetBatches();
    AddBossBarFill(560, 300, -100, 0xFFFF0000);
    auto s = Segments();
    ASSERT_EQ(s.size(), 7u);  // five full, the partial fill and its soft edge
    EXPECT_FLOAT_EQ(s[5].bottom, 480 - 92.5f);
    EXPECT_FLOAT_EQ(s[5].bottom - s[5].top, 7.5f);
    EXPECT_FLOAT_EQ(s[6].top, 478 - 100);
    EXPECT_FLOAT_EQ(s[6].bottom, 480 - 100);
    EXPECT_EQ(TriangleBatch[36].colour, 0xFF000000u);  // the edge fades up from black
    ResetBatches();
    AddBossBarFill(560, 300, -180, 0xFFFF0000);
    EXPECT_EQ(Segments().size(), 10u);
    ResetBatches();
    AddBossBarFill(560, 300, 0, 0xFFFF0000);
    EXPECT_EQ(TriangleVertexCount, 0);
}

TEST_F(HudTest, TheBarSlidesInWhenAFightFillsItAndOutWhenItEmpties) {
    StartFromMenu(StartFullGame, 0);
    Pass(120);
    EXPECT_FLOAT_EQ(BarOffset, 120);  // held hidden through the intro, x 680
    BossBar = -180;
    Pass();
    EXPECT_FLOAT_EQ(BarOffset, 108);
    Pass(150);
    EXPECT_NEAR(BarOffset, 0, 0.01);
    bool sawFull = false;  // ten segments in one triangle list
    for (const plat::DrawCall& c : presented)
        if (c.kind == plat::DrawCall::ColourList && c.vertices == 60) sawFull = true;
    EXPECT_TRUE(sawFull);
    BossBar = 0;
    Pass(150);
    EXPECT_NEAR(BarOffset, 120, 0.01);
}

TEST_F(HudTest, AnEmptyBarRestsOutOfSightInNormalAndOnScreenInHoriz) {
    StartFromMenu(StartFullGame, 0);
    LevelTitleTimer = 50;
    Pass();
    EXPECT_FLOAT_EQ(BarOffset, 120);  // x 680
    ScreenOrientation = 1;
    Pass();
    EXPECT_FLOAT_EQ(BarOffset, -30);  // x 42
}

}  // namespace
