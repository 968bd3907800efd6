#include <cstdio>

#include <glm/mat4x4.hpp>

#include "draw/front_text.h"
#include "draw/screens.h"
#include "render/camera.h"
#include "render/background.h"
#include "world/world.h"


void DrawBossWarning(const World& w) {
    SetWorld();
    const uint32_t red = static_cast<uint32_t>(2 * w.WarningPulse) << 16;

    FrontText(242, 248, 0, 50, red, "WARNING");
    if (w.Game.PlayType == Play::BossFight) {
        char line[64];
        std::snprintf(line, sizeof line, w.Game.BossRush == 1 ? "BOSS RUSH - - - LEVEL %d" : "BOSS PRACTICE - LEVEL %d",
                      static_cast<int>(w.Game.CurrentLevel + 1));
        FrontText(243, 280, 0, 14, red, line);
    }
}
