#include "drill.h"

#include "frontend/menu.h"
#include "frontend/presentation.h"
#include "frontend/state_hash.h"
#include "frontend/update.h"
#include "game/game_flow.h"
#include "shell/trig.h"
#include "world/sounds.h"
#include "world/world.h"

uint64_t PlayDrill(int frames, void (*afterFrame)()) {
    BuildTrigTables();
    GameInit();
    BuildMenu(PageMain);
    StartFromMenu(StartBossRush, 0);
    for (int frame = 0; frame < frames; ++frame) {
        Controls c{};
        c.fire = true;
        c.left = frame / 90 % 2 == 0;
        c.right = !c.left;
        c.anyInput = -1;
        ApplyControls(c);
        UpdateFrame();
        AdvancePresentation();
        UpdateMusicFade();
        afterFrame();
    }
    return HashGameState();
}
