#include <cstdio>

#include <glm/mat4x4.hpp>

#include "audio/audio.h"
#include "frontend/front_text.h"
#include "frontend/interstitials.h"
#include "render/camera.h"
#include "render/background.h"
#include "shell/game_vars.h"
#include "shell/trig.h"

int32_t PilotRank;
int32_t WarningPulseAngle, WarningPulse;
int32_t StatusPulseAngle, StatusPulse;

void AdvanceBossWarning() {
    // Each throb starts with the siren and a red flash of the background.
    if (WarningPulse == 6) {
        PlayWarningSound();
        WaveFlashRequest = 1;
    }
    WarningPulseAngle = (WarningPulseAngle + 2) % 180;
    WarningPulse = static_cast<int32_t>(SinTable[WarningPulseAngle] * 116 + 6);
}

void DrawBossWarning() {
    SetWorld();
    const uint32_t red = static_cast<uint32_t>(2 * WarningPulse) << 16;

    FrontText(242, 248, 0, 50, red, "WARNING");
    if (Game.PlayType == Play::BossFight) {
        char line[64];
        std::snprintf(line, sizeof line, Game.BossRush == 1 ? "BOSS RUSH - - - LEVEL %d" : "BOSS PRACTICE - LEVEL %d",
                      static_cast<int>(Game.CurrentLevel + 1));
        FrontText(243, 280, 0, 14, red, line);
    }
}

void ResetInterstitials(bool fullGameFromStart) {
    WarningPulseAngle = 0;
    WarningPulse = 6;
    StatusPulseAngle = 0;
    StatusPulse = 6;
    if (fullGameFromStart) PilotRank = 0;
}
