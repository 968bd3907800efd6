#include <glm/mat4x4.hpp>

#include "draw/front_text.h"
#include "draw/screens.h"
#include "render/camera.h"
#include "world/world.h"


void DrawPilotStatus(const World& w) {
    SetWorld();
    FrontText(165, 200, 0, 40, 0xFF7F7F7F, "THANKS FOR PLAYING");
    FrontText(200, 270, 0, 20, 0xFF7F7F7F, "PILOT STATUS:");
    if (w.PilotRank >= 0 && w.PilotRank <= 4)
        FrontText(200, 290, 0, 20, 0xFFAF7F00u + static_cast<uint32_t>(w.StatusPulse), kPilotRanks[w.PilotRank]);
}
