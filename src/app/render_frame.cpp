#include "app/render_frame.h"

#include <glm/mat4x4.hpp>

#include "frontend/frontend.h"
#include "game/level_state.h"
#include "game/ship.h"
#include "render/background.h"
#include "render/batches.h"
#include "render/camera.h"
#include "render/font.h"
#include "shell/error_log.h"
#include "shell/game_vars.h"
#include "shell/timing.h"

namespace {

void ReportOverflow(int32_t flag, float y, const char* message, int32_t count) {
    if (flag != 1) return;
    DrawText(130, y, 0, 20, 0xFFFF0000, message);
    LogError("%s : %d \n", message, count);
}

}  // namespace

void AdvancePresentation() {
    // In the order the frame is drawn in: the cameras shake and the credits jitter with the game's
    // random numbers.
    StepCamera();
    const bool menu = Program.GameMode == Mode::Menu || Program.GameMode == Mode::CaptureBinding;
    const bool horizontal = Saved.ScreenOrientation == 1;
    if (Program.GameMode != Mode::Menu) AdvanceShieldRings();
    if (menu) AdvanceBackgroundGrid();
    AdvanceBackgroundWaves(Level.BossAlert);
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

    ReportOverflow(LineVertOverflow, 400, "LINE VERT OVERFLOW", LineVertexCount);
    ReportOverflow(LineIndexOverflow, 420, "LINE INDEX OVERFLOW", LineIndexCount);
    ReportOverflow(TriVertOverflow, 440, "TRI VERT OVERFLOW", TriangleVertexCount);
    ReportOverflow(TexTriVertOverflow, 460, "TEX TRI VERT OVERFLOW", TexturedTriangleVertexCount);

    bool menu = Program.GameMode == Mode::Menu || Program.GameMode == Mode::CaptureBinding;
    if (Program.GameMode != Mode::Menu) DrawShieldRings(PlayerShip.x, PlayerShip.y, ShieldTimer);
    if (menu) DrawBackgroundGrid();
    DrawBackgroundWaves();

    FlushLines(Level.LevelTitleTimer);
    FlushTriangles();
    FlushTexturedTriangles();
    DrawSideMasks();

    // The playfield turns in horiz; the front end stays upright.
    bool horizontal = Saved.ScreenOrientation == 1;
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
