#include <cstdio>

#include <glm/mat4x4.hpp>

#include "audio/audio.h"
#include "frontend/front_text.h"
#include "frontend/interstitials.h"
#include "render/camera.h"
#include "render/background.h"
#include "world/world.h"
#include "shell/trig.h"


void AdvanceBossWarning() {
    // Each throb starts with the siren and a red flash of the background.
    if (W.WarningPulse == 6) {
        PlayWarningSound();
        W.Presentation.WaveFlashRequest = 1;
    }
    W.WarningPulseAngle = (W.WarningPulseAngle + 2) % 180;
    W.WarningPulse = static_cast<int32_t>(Content.SinTable[W.WarningPulseAngle] * 116 + 6);
}

void DrawBossWarning() {
    SetWorld();
    const uint32_t red = static_cast<uint32_t>(2 * W.WarningPulse) << 16;

    FrontText(242, 248, 0, 50, red, "WARNING");
    if (W.Game.PlayType == Play::BossFight) {
        char line[64];
        std::snprintf(line, sizeof line, W.Game.BossRush == 1 ? "BOSS RUSH - - - LEVEL %d" : "BOSS PRACTICE - LEVEL %d",
                      static_cast<int>(W.Game.CurrentLevel + 1));
        FrontText(243, 280, 0, 14, red, line);
    }
}

void ResetInterstitials(bool fullGameFromStart) {
    W.WarningPulseAngle = 0;
    W.WarningPulse = 6;
    W.StatusPulseAngle = 0;
    W.StatusPulse = 6;
    if (fullGameFromStart) W.PilotRank = 0;
}
