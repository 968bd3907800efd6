#include <glm/mat4x4.hpp>

#include "frontend/front_text.h"
#include "frontend/interstitials.h"
#include "game/particles.h"
#include "render/camera.h"
#include "shell/random.h"
#include "shell/trig.h"
#include "world/world.h"


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

void DrawPilotStatus() {
    SetWorld();
    FrontText(165, 200, 0, 40, 0xFF7F7F7F, "THANKS FOR PLAYING");
    FrontText(200, 270, 0, 20, 0xFF7F7F7F, "PILOT STATUS:");
    if (W.PilotRank >= 0 && W.PilotRank <= 4)
        FrontText(200, 290, 0, 20, 0xFFAF7F00u + static_cast<uint32_t>(W.StatusPulse), kPilotRanks[W.PilotRank]);
}
