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
#include "world/world.h"
#include "shell/random.h"
#include "shell/trig.h"
#include "test_support.h"

namespace {

class CameraTest : public HeadlessTest {};

TEST_F(CameraTest, UprightCamerasKeepTheirOwnStateAndShareTheShake) {
    W.Saved.ScreenOrientation = 1;
    for (int i = 0; i < 300; ++i) UpdateUprightCamera(560);
    EXPECT_NEAR(W.Presentation.UprightCamera560.eyeZ, 560, 0.01);
    EXPECT_FLOAT_EQ(W.Presentation.UprightCamera550.eyeZ, 500);  // untouched
    SetScreenShake(12);
    UpdateCamera();
    UpdateUprightCamera(560);
    UpdateUprightCamera(550);
    EXPECT_EQ(W.Presentation.ShakeAmount, 6);  // each camera update decays it by 2
}

class TextTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        LoadFont();
    }
    int Width(char c) { return Font.glyphs[static_cast<unsigned char>(c)].width; }
};

TEST_F(TextTest, AnEmptyStringDrawsNothing) {
    EXPECT_EQ(DrawText(0, 0, 0, 10, 0xFFFFFFFF, ""), 0.0f);
    EXPECT_EQ(DrawText(0, 0, 0, 10, 0xFFFFFFFF, "   "), 1.2f * 10);
    EXPECT_TRUE(h().gfx.calls.empty());
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
        AdvanceStudioLogo();
        DrawStudioLogo(W);
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
    EXPECT_EQ(W.SoundsPlayed.effect[13], 5u);
}

}  // namespace
