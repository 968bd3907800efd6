#include "app/reset.h"

#include "app/replay.h"
#include "app/replay_viewer.h"
#include "audio/audio.h"
#include "enemies/enemy_pool.h"
#include "game/records.h"
#include "game/enemy_bullets.h"
#include "game/game_flow.h"
#include "game/particles.h"
#include "game/pickups.h"
#include "game/player_shots.h"
#include "game/ship_life.h"
#include "draw/front_text.h"
#include "game/mission_report.h"
#include "game/level_state.h"
#include "game/ship.h"
#include "render/background.h"
#include "render/batches.h"
#include "render/camera.h"
#include "frontend/frontend.h"
#include "game/weapons.h"
#include "online/boards.h"
#include "shell/bindings.h"
#include "input/devices.h"
#include "frontend/menu.h"
#include "shell/error_log.h"
#include "world/world.h"
#include "shell/options.h"
#include "app/main_loop.h"
#include "shell/random.h"
#include "render/timing.h"

void ResetAllState() {
    ResetWorld();
    ResetErrorLog();
    ResetOptions();
    ResetRecords();
    ResetInputDevices();
    ClearMenuRequests();
    ResetReplay();
    ResetReplayViewer();
    ResetFrontEnd();
    ClearFrontTextLog();
    ResetTiming();
    ResetMainLoop();
    ResetAudio();
    ResetLevelState();
    ResetBatches();
    ResetCamera();
    ResetBoards();
    SeedRandom(1);
}
