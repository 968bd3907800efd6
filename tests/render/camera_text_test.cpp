#include <glm/ext/matrix_clip_space.hpp>
#include <glm/ext/matrix_transform.hpp>

#include "audio/audio.h"
#include "game/level_state.h"
#include "game/ship.h"
#include "render/background.h"
#include "render/batches.h"
#include "render/camera.h"
#include "render/font.h"
#include "render/textures.h"
#include "shell/game_vars.h"
#include "shell/random.h"
#include "shell/trig.h"
#include "test_support.h"

namespace {

class CameraTest : public HeadlessTest {};

TEST_F(CameraTest, EasesFromItsStartTowardTheOrientationsGoal) {
    UpdateCamera();
    EXPECT_FLOAT_EQ(PlayfieldCamera.eyeX, 320);
    EXPECT_FLOAT_EQ(PlayfieldCamera.eyeY, 240 + 16 / 16.0f);
    EXPECT_FLOAT_EQ(PlayfieldCamera.eyeZ, 500 + 50 / 8.0f);
    EXPECT_FLOAT_EQ(PlayfieldCamera.targetY, 240 + 16 / 8.0f);
    for (int i = 0; i < 400; ++i) UpdateCamera();
    EXPECT_NEAR(PlayfieldCamera.eyeZ, 550, 0.01);
    ScreenOrientation = 1;
    for (int i = 0; i < 400; ++i) UpdateCamera();
    EXPECT_NEAR(PlayfieldCamera.eyeX, 310, 0.01);
    EXPECT_NEAR(PlayfieldCamera.eyeZ, 440, 0.01);
    EXPECT_NEAR(PlayfieldCamera.targetX, 310, 0.01);
    ScreenOrientation = 2;
    for (int i = 0; i < 400; ++i) UpdateCamera();
    EXPECT_NEAR(PlayfieldCamera.eyeZ, 420, 0.01);
}

TEST_F(CameraTest, NormalViewFitsThePlayfieldHeightUpright) {
    for (int i = 0; i < 500; ++i) UpdateCamera();
    glm::mat4 m = h().gfx.projection * h().gfx.view;
    auto ndc = [&](float x, float y) {
        glm::vec4 p = m * glm::vec4(x, y, 0, 1);
        return glm::vec2(p.x / p.w, p.y / p.w);
    };
    // The 512-unit height fills the screen, world y downward is screen down (NDC y up).
    EXPECT_NEAR(ndc(320, 0).y, 1.0f, 0.01f);
    EXPECT_NEAR(ndc(320, 512).y, -1.0f, 0.01f);
    EXPECT_NEAR(ndc(320, 256).x, 0.0f, 1e-4f);
    EXPECT_LT(ndc(128, 256).x, ndc(512, 256).x);
}

TEST_F(CameraTest, UprightCamerasKeepTheirOwnStateAndShareTheShake) {
    ScreenOrientation = 1;
    for (int i = 0; i < 300; ++i) UpdateUprightCamera(560);
    EXPECT_NEAR(UprightCamera560.eyeZ, 560, 0.01);
    EXPECT_FLOAT_EQ(UprightCamera550.eyeZ, 500);  // untouched
    SetScreenShake(12);
    UpdateCamera();
    UpdateUprightCamera(560);
    UpdateUprightCamera(550);
    EXPECT_EQ(ShakeAmount, 6);  // each camera update decays it by 2
}

TEST_F(CameraTest, ShakeMovesTheTargetByTheSharedRandomNumbers) {
    for (int i = 0; i < 500; ++i) UpdateCamera();
    float before = PlayfieldCamera.targetX;
    SeedRandom(99);
    SetScreenShake(12);
    UpdateCamera();  // 10 after the decay
    SeedRandom(99);
    int dx = Random() % 10 - 5;
    EXPECT_FLOAT_EQ(PlayfieldCamera.targetX, before + dx);
}

class TextTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        LoadFont();
    }
    int Width(char c) { return Font.glyphs[static_cast<unsigned char>(c)].width; }
};

TEST_F(TextTest, WidthsFollowTheGlyphTable) {
    EXPECT_EQ(std::string(Font.magic, 4), "FPSP");
    EXPECT_EQ(Font.height, 35);
    EXPECT_FLOAT_EQ(DrawText(0, 0, 0, 10, 0xFFFFFFFF, "M"), 0.84f * 10);
    EXPECT_FLOAT_EQ(DrawText(0, 0, 0, 10, 0xFFFFFFFF, " "), 0.4f * 10);
    float ones = DrawText(0, 0, 0, 20, 0xFFFFFFFF, "11");
    EXPECT_FLOAT_EQ(ones, 2 * 7 * 0.024f * 20 + 2 * 0.16f * 20);
    EXPECT_FLOAT_EQ(DrawText(5, 0, 0, 20, 0xFFFFFFFF, "A B"), (21 + 21) * 0.024f * 20 + 0.4f * 20);
}

TEST_F(TextTest, AnEmptyStringDrawsNothing) {
    EXPECT_EQ(DrawText(0, 0, 0, 10, 0xFFFFFFFF, ""), 0.0f);
    EXPECT_EQ(DrawText(0, 0, 0, 10, 0xFFFFFFFF, "   "), 1.2f * 10);
    EXPECT_TRUE(h().gfx.calls.empty());
}

TEST_F(TextTest, OneDrawCallPerStringWithClockwiseCulling) {
    DrawText(0, 0, 0, 10, 0xFF00FF00, "quiv-ex");
    ASSERT_EQ(h().gfx.calls.size(), 1u);
    EXPECT_EQ(h().gfx.calls[0].primitives, 14);
    EXPECT_TRUE(h().gfx.calls[0].cullClockwise);
    EXPECT_FALSE(h().gfx.cullClockwise);  // put back afterwards
    EXPECT_EQ(h().gfx.bound, 0);
}

TEST_F(TextTest, AStringLongerThanTheStoreIsCut) {
    std::string huge(kTextCharacters + 500, 'W');
    float w = DrawText(0, 0, 0, 1, 0xFFFFFFFF, huge.c_str());
    EXPECT_NEAR(w, kTextCharacters * 0.84f, 0.5f);
    EXPECT_EQ(h().gfx.calls[0].primitives, kTextCharacters * 2);
}

class BackgroundTest : public HeadlessTest {};

TEST_F(BackgroundTest, StudioLogoFlashesFiveTimesWithItsSound) {
    int flashes[5] = {64, 96, 112, 120, 124};
    int next = 0;
    for (int frame = 1; frame <= 200; ++frame) {
        uint64_t before = h().gfx.drawCallsTotal;
        DrawStudioLogo();
        bool drew = h().gfx.drawCallsTotal > before;
        if (frame < 64) {
            EXPECT_FALSE(drew) << frame;
        }
        if (next < 5 && frame == flashes[next]) {
            EXPECT_TRUE(drew) << frame;
            ++next;
        }
    }
    EXPECT_EQ(next, 5);
    EXPECT_EQ(SoundsPlayed.effect[13], 5u);
}

TEST_F(BackgroundTest, WaveBandsFadeTowardTheirGoalAndFlashRed) {
    GameMode = Mode::Menu;
    DrawBackgroundWaves(BossAlert);
    EXPECT_EQ(WaveG, 1);  // black in the menu, one step toward the goal
    GameMode = Mode::Playing;
    for (int i = 0; i < 70; ++i) DrawBackgroundWaves(BossAlert);
    EXPECT_EQ(WaveR, 4);
    EXPECT_EQ(WaveG, 64);
    EXPECT_EQ(WaveB, 8);
    // One draw a frame, of the bands' light only, from the texture's full-size image; the first way of
    // drawing gives each of the eight bands a strip of its own.
    for (bool classic : {false, true}) {
        ClassicDrawing = classic;
        h().gfx.calls.clear();
        DrawBackgroundWaves(BossAlert);
        ASSERT_EQ(h().gfx.calls.size(), classic ? 8u : 1u);
        EXPECT_EQ(h().gfx.calls[0].mipmapping, classic);
        EXPECT_EQ(h().gfx.calls[0].texture, LineTexture);
        EXPECT_TRUE(h().gfx.mipmapping);
    }
    ClassicDrawing = false;
    WaveFlashRequest = 1;
    DrawBackgroundWaves(BossAlert);
    EXPECT_EQ(WaveFlashRequest, 1);  // waits until the red is above 63
    WaveFlashRequest = 0;
    // Boss warning: the goal turns red; a flash then starts from 128 and fades back.
    BossAlert = 1;
    for (int i = 0; i < 70; ++i) DrawBackgroundWaves(BossAlert);
    EXPECT_EQ(WaveR, 64);
    EXPECT_EQ(WaveG, 4);
    WaveFlashRequest = 1;
    DrawBackgroundWaves(BossAlert);
    EXPECT_EQ(WaveFlashRequest, 0);
    EXPECT_EQ(WaveR, 127);
    EXPECT_EQ(WaveG, 1);
}

TEST_F(BackgroundTest, ShieldRingTurnsEvenWhenDownButDrawsOnlyWhenUp) {
    BuildTrigTables();
    GameMode = Mode::Playing;
    DrawShieldRing(PlayerShip.x, PlayerShip.y, ShieldTimer);
    EXPECT_EQ(LineVertexCount, 0);
    ShieldTimer = 50;
    PlayerShip.x = 320, PlayerShip.y = 400;
    DrawShieldRing(PlayerShip.x, PlayerShip.y, ShieldTimer);
    EXPECT_EQ(LineVertexCount, 6 * 4 * 8);
    GameMode = Mode::Paused;
    DrawShieldRing(PlayerShip.x, PlayerShip.y, ShieldTimer);
    EXPECT_EQ(LineVertexCount, 2 * 6 * 4 * 8);
}

TEST_F(BackgroundTest, SideMasksAreOpaqueAndBlendingComesBack) {
    DrawSideMasks();
    ASSERT_EQ(h().gfx.calls.size(), 1u);
    EXPECT_FALSE(h().gfx.calls[0].blending);
    EXPECT_EQ(h().gfx.calls[0].primitives, 4);
    EXPECT_TRUE(h().gfx.blending);
}

}  // namespace
