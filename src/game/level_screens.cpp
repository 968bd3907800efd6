#include "game/level_screens.h"

#include "world/sounds.h"
#include "game/particles.h"
#include "shell/random.h"
#include "shell/trig.h"
#include "world/world.h"

void AdvanceBossWarning() {
    // Each throb starts with the siren and a red flash of the background.
    if (W.WarningPulse == 6) {
        PlayWarningSound();
        W.Presentation.WaveFlashRequest = 1;
    }
    W.WarningPulseAngle = (W.WarningPulseAngle + 2) % 180;
    W.WarningPulse = static_cast<int32_t>(Content.SinTable[W.WarningPulseAngle] * 116 + 6);
}

void AdvancePilotStatus() {
    W.StatusPulseAngle = (W.StatusPulseAngle + 2) % 180;
    W.StatusPulse = static_cast<int32_t>(Content.SinTable[W.StatusPulseAngle] * 116 + 6);
    // Fireworks behind the rating; y is drawn before x.
    if (Random() % 20 == 0) {
        int y = Random() % 512;
        int x = Random() % 384 + 128;
        SpawnFireworkBurst(static_cast<float>(x), static_cast<float>(y));
    }
}

void ResetInterstitials(bool fullGameFromStart) {
    W.WarningPulseAngle = 0;
    W.WarningPulse = 6;
    W.StatusPulseAngle = 0;
    W.StatusPulse = 6;
    if (fullGameFromStart) W.PilotRank = 0;
}
