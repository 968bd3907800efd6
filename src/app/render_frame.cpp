#include "app/render_frame.h"

#include <glm/mat4x4.hpp>

#include "enemies/enemy_pool.h"
#include "frontend/frontend.h"
#include "frontend/interstitials.h"
#include "game/enemy_bullets.h"
#include "game/level_screens.h"
#include "game/level_state.h"
#include "game/particles.h"
#include "game/pickups.h"
#include "game/player_shots.h"
#include "game/ship.h"
#include "game/ship_life.h"
#include "render/background.h"
#include "render/batches.h"
#include "render/camera.h"
#include "render/font.h"
#include "shell/error_log.h"
#include "world/world.h"
#include "shell/timing.h"

namespace {

void ReportOverflow(int32_t flag, float y, const char* message, int32_t count) {
    if (flag != 1) return;
    DrawText(130, y, 0, 20, 0xFFFF0000, message);
    LogError("%s : %d \n", message, count);
}

bool InPlay() { return W.Program.GameMode == Mode::Playing || W.Program.GameMode == Mode::Paused; }

// Everything in play, where the update left it: into the batches, drawn at the next flush.
void DrawPlayfield() {
    DrawPlayfieldGrid();
    for (int slot = 0; slot < kEnemyPoolSize; ++slot)
        if (W.EnemyPool[slot].active == 1) DrawEnemy(slot);
    DrawEnemyBullets();
    if (W.Level.ReportShowing == 0 && ShipAlive) {
        DrawShip();
        DrawThrusters();
    }
    DrawPlayerShots();
    DrawShards();
    DrawSparks();
    DrawPickups();
    DrawGlows();
}

void DrawScreenShown() {
    switch (W.Level.ScreenShown) {
        case BossWarningScreen: DrawBossWarning(); break;
        case MissionReportScreen: DrawMissionReport(); break;
        case PilotStatusScreen: DrawPilotStatus(); break;
        default: break;
    }
}

}  // namespace

void AdvancePresentation() {
    // In the order the frame is drawn in: the cameras shake and the credits jitter with the game's
    // random numbers.
    StepCamera();
    const bool menu = W.Program.GameMode == Mode::Menu || W.Program.GameMode == Mode::CaptureBinding;
    const bool horizontal = W.Saved.ScreenOrientation == 1;
    if (W.Program.GameMode != Mode::Menu) AdvanceShieldRings();
    if (menu) AdvanceBackgroundGrid();
    AdvanceBackgroundWaves(W.Level.BossAlert);
    if (horizontal) StepUprightCamera(560);
    if (menu) {
        AdvanceMenu();
    } else {
        AdvanceHud();
        if (horizontal) StepUprightCamera(550);
        AdvanceBossBar();
    }
}

void RenderFrame() {
    ApplyCamera();
    SetWorld();
    const bool inPlay = InPlay();
    if (inPlay) DrawPlayfield();

    ReportOverflow(Batches.LineVertOverflow, 400, "LINE VERT OVERFLOW", Batches.LineVertexCount);
    ReportOverflow(Batches.LineIndexOverflow, 420, "LINE INDEX OVERFLOW", Batches.LineIndexCount);
    ReportOverflow(Batches.TriVertOverflow, 440, "TRI VERT OVERFLOW", Batches.TriangleVertexCount);
    ReportOverflow(Batches.TexTriVertOverflow, 460, "TEX TRI VERT OVERFLOW", Batches.TexturedTriangleVertexCount);

    bool menu = W.Program.GameMode == Mode::Menu || W.Program.GameMode == Mode::CaptureBinding;
    if (W.Program.GameMode != Mode::Menu) DrawShieldRings(W.PlayerShip.x, W.PlayerShip.y, W.ShieldTimer);
    if (menu) DrawBackgroundGrid();
    DrawBackgroundWaves();

    FlushLines(W.Level.LevelTitleTimer);
    FlushTriangles();
    FlushTexturedTriangles();

    // A screen over the playfield turns with it in horiz and is cut by the side masks like it.
    if (inPlay) DrawScreenShown();
    DrawSideMasks();

    // The playfield turns in horiz; the front end stays upright.
    bool horizontal = W.Saved.ScreenOrientation == 1;
    if (horizontal) ApplyUprightCamera(560);
    if (menu) {
        DrawMenu();
    } else {
        DrawHud();
        if (horizontal) ApplyUprightCamera(550);
        DrawBossBar();
    }

    FastForwardGate();
}
