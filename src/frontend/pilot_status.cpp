#include <glm/mat4x4.hpp>

#include "frontend/front_text.h"
#include "frontend/interstitials.h"
#include "render/camera.h"
#include "world/world.h"


void DrawPilotStatus() {
    SetWorld();
    FrontText(165, 200, 0, 40, 0xFF7F7F7F, "THANKS FOR PLAYING");
    FrontText(200, 270, 0, 20, 0xFF7F7F7F, "PILOT STATUS:");
    if (W.PilotRank >= 0 && W.PilotRank <= 4)
        FrontText(200, 290, 0, 20, 0xFFAF7F00u + static_cast<uint32_t>(W.StatusPulse), kPilotRanks[W.PilotRank]);
}
