#include "shell/reset.h"

#include "audio/audio.h"
#include "game/level_state.h"
#include "game/ship.h"
#include "render/background.h"
#include "render/batches.h"
#include "render/camera.h"
#include "frontend/frontend.h"
#include "game/weapons.h"
#include "input/bindings.h"
#include "input/devices.h"
#include "input/input_step.h"
#include "shell/game_vars.h"
#include "shell/main_loop.h"
#include "shell/random.h"
#include "shell/timing.h"

void ResetAllState() {
    ResetGameVars();
    ResetBindings();
    ResetInputDevices();
    ResetInputStep();
    ResetWeapons();
    MenuPage = 0;
    ResetTiming();
    ResetMainLoop();
    ResetAudio();
    ResetLevelState();
    ResetShip();
    ResetBatches();
    ResetCamera();
    ResetBackground();
    SeedRandom(1);
}
