#pragma once
// A boss rush played for a number of frames by the update alone (fire held, the ship weaving), with
// `afterFrame` run after each frame's update; returns the state hash it ends in.
#include "frontend/menu.h"
#include "frontend/presentation.h"
#include "frontend/state_hash.h"
#include "frontend/update.h"
#include "game/game_flow.h"
#include "shell/trig.h"

inline uint64_t PlayDrill(int frames, void (*afterFrame)()) {
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
