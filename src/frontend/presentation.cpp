#include "frontend/presentation.h"

#include "frontend/camera.h"
#include "frontend/frontend.h"
#include "frontend/hud.h"
#include "shell/random.h"
#include "shell/trig.h"
#include "world/sounds.h"
#include "world/world.h"

namespace {

float WrapPhase(float p) { return p > 180.0f ? p - 360.0f : p; }

int MoveToward(int value, int goal) { return value < goal ? value + 1 : value > goal ? value - 1 : value; }

void StepTitleFade(int t) {
    // The fade only moves while the game runs, so a paused title holds its brightness.
    if (W.Program.GameMode != Mode::Playing) return;
    if (t == 1) W.Presentation.TitleFade = 16;
    else if (t <= 140) { if (W.Presentation.TitleFade < 255) W.Presentation.TitleFade += 16; }
    else if (W.Presentation.TitleFade > 0) W.Presentation.TitleFade -= 16;
    if (W.Presentation.TitleFade < 0) W.Presentation.TitleFade = 0;
    if (W.Presentation.TitleFade > 255) W.Presentation.TitleFade = 255;
}

void UpdateCreditsJitter() {
    if (Random() % 10 == 0) {
        // The value is drawn before the index it goes to.
        float a = static_cast<float>(Random() % 100) * 0.1f;
        W.Presentation.CreditsTargetA[Random() % 3] = a;
        float b = static_cast<float>(Random() % 100) * 0.1f;
        W.Presentation.CreditsTargetB[Random() % 3] = b;
    }
    for (int i = 0; i < 3; ++i) {
        W.Presentation.CreditsJitterA[i] += (W.Presentation.CreditsTargetA[i] - W.Presentation.CreditsJitterA[i]) * 0.25f;
        W.Presentation.CreditsJitterB[i] += (W.Presentation.CreditsTargetB[i] - W.Presentation.CreditsJitterB[i]) * 0.25f;
    }
}

void UpdatePulse() {
    if (W.Presentation.MenuPulse == 6) PlaySound(Sound::MenuPulse);  // a soft tick at each low point of the highlight
    W.Presentation.MenuPulseAngle += 2;
    if (W.Presentation.MenuPulseAngle >= 180) W.Presentation.MenuPulseAngle -= 180;
    W.Presentation.MenuPulse = static_cast<int32_t>(Content.SinTable[W.Presentation.MenuPulseAngle] * 246 + 6);
}

}  // namespace

void AdvanceBackgroundGrid() {
    W.Presentation.gridOffsetX += 0.2f;
    W.Presentation.gridOffsetY += 0.5f;
    if (W.Presentation.gridOffsetX > 64) W.Presentation.gridOffsetX -= 64;
    if (W.Presentation.gridOffsetY > 64) W.Presentation.gridOffsetY -= 64;
}

void AdvanceBackgroundWaves(int32_t bossAlert) {
    if (W.Program.GameMode != Mode::Paused) {
        static const float kSpeed[4] = {0.5f, 1.0f, 0.7f, 1.3f};
        for (int i = 0; i < 4; ++i) W.Presentation.WavePhase[i] = WrapPhase(W.Presentation.WavePhase[i] + kSpeed[i]);
    }
    int goalR = 4, goalG = 64, goalB = 8;  // dim green; dim red while the boss warning shows
    if (bossAlert == 1) goalR = 64, goalG = 4, goalB = 4;
    if (W.Presentation.WaveFlashRequest == 1 && W.Presentation.WaveR > 63) {
        W.Presentation.WaveR = 128, W.Presentation.WaveG = 0, W.Presentation.WaveB = 0;
        W.Presentation.WaveFlashRequest = 0;
    }
    if (W.Program.GameMode == Mode::Menu) W.Presentation.WaveR = W.Presentation.WaveG = W.Presentation.WaveB = 0;  // they fade in when a game starts
    W.Presentation.WaveR = MoveToward(W.Presentation.WaveR, goalR);
    W.Presentation.WaveG = MoveToward(W.Presentation.WaveG, goalG);
    W.Presentation.WaveB = MoveToward(W.Presentation.WaveB, goalB);
}

void AdvanceShieldRings() {
    if (W.Program.GameMode == Mode::Paused) return;
    for (int ring = 0; ring < kShieldRings; ++ring) {
        W.Presentation.ShieldRotation += 4;
        if (W.Presentation.ShieldRotation > 60) W.Presentation.ShieldRotation -= 60;
    }
}

void AdvanceTitleLogo() {
    static const float kSpeed[3] = {1.0f, 0.3f, 0.8f};
    for (int i = 0; i < 3; ++i) W.Presentation.logoPhase[i] = WrapPhase(W.Presentation.logoPhase[i] + kSpeed[i]);
}

void AdvanceStudioLogo() {
    if (W.Presentation.studioFrame < 512) ++W.Presentation.studioFrame;
    W.Presentation.studioShown = 1;
    if (W.Presentation.studioInterval >= 3 && W.Presentation.studioFrame >= 33 && W.Presentation.studioFrame % W.Presentation.studioInterval == 0) {
        PlaySound(Sound::StudioFlash);
        W.Presentation.studioBrightness = 255;
        W.Presentation.studioInterval /= 2;  // flashes at 64, 96, 112, 120 and 124
    } else if (W.Presentation.studioBrightness < 1) {
        W.Presentation.studioShown = 0;
        return;
    }
    W.Presentation.studioBrightness -= 4;
    if (W.Presentation.studioBrightness < 0) W.Presentation.studioBrightness = 0;
}

float BossBarHiddenOffset() {
    static const float kHidden[3] = {120, -30, 35};
    return kHidden[HudOrientation(W)];
}

void AdvanceHud() {
    if (++W.Presentation.HudBlink > 16) W.Presentation.HudBlink = 0;
    if (W.Game.PlayType == Play::FullGame && W.Saved.HiScore < W.Game.PeakHeld) W.Saved.HiScore = W.Game.PeakHeld;
    const int t = W.Level.LevelTitleTimer;
    if (t >= 1 && t <= 159) StepTitleFade(t);
}

void AdvanceBossBar() {
    const float hidden = BossBarHiddenOffset();
    if (W.Level.LevelTitleTimer < 100) W.Presentation.BarOffset = hidden;
    W.Presentation.BarOffset += ((W.Level.BossBar == 0 ? hidden : 0.0f) - W.Presentation.BarOffset) / 10.0f;
    if (++W.Presentation.BarBlink == 6) W.Presentation.BarBlink = 0;
}

void ResetHud() {
    W.Presentation.HudBlink = 0;
    W.Presentation.TitleFade = 0;
    W.Presentation.BarBlink = 0;
    W.Presentation.BarOffset = 0;
    W.Host.ReplayHud = ReplayHudInfo();
}

void AdvanceMenu() {
    W.Presentation.ArrowWobble += 0.1f;
    if (W.Presentation.ArrowWobble > 3) W.Presentation.ArrowWobble = 0;
    UpdateCreditsJitter();
    AdvanceTitleLogo();
    UpdatePulse();
}

void AdvancePresentation() {
    // In the order the frame is drawn in: the cameras shake and the credits jitter with the game's
    // random numbers.
    StepCamera();
    const bool menu = W.Program.GameMode == Mode::Menu || W.Program.GameMode == Mode::CaptureBinding;
    const bool horizontal = W.Saved.ScreenOrientation == 1;
    if (W.Program.GameMode != Mode::Menu) AdvanceShieldRings();
    if (menu) AdvanceBackgroundGrid();
    AdvanceBackgroundWaves(W.Level.BossAlert);
    if (horizontal) StepUprightCamera(560);
    if (menu) {
        AdvanceMenu();
    } else {
        AdvanceHud();
        if (horizontal) StepUprightCamera(550);
        AdvanceBossBar();
    }
}
