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

void RenderFrame() {
    UpdateCamera();
    SetWorld();

    ReportOverflow(LineVertOverflow, 400, "LINE VERT OVERFLOW", LineVertexCount);
    ReportOverflow(LineIndexOverflow, 420, "LINE INDEX OVERFLOW", LineIndexCount);
    ReportOverflow(TriVertOverflow, 440, "TRI VERT OVERFLOW", TriangleVertexCount);
    ReportOverflow(TexTriVertOverflow, 460, "TEX TRI VERT OVERFLOW", TexturedTriangleVertexCount);

    bool menu = Program.GameMode == Mode::Menu || Program.GameMode == Mode::CaptureBinding;
    if (Program.GameMode != Mode::Menu)
        for (int i = 0; i < 3; ++i) DrawShieldRing(PlayerShip.x, PlayerShip.y, ShieldTimer);
    if (menu) DrawBackgroundGrid();
    DrawBackgroundWaves(Level.BossAlert);

    FlushLines(Level.LevelTitleTimer);
    FlushTriangles();
    FlushTexturedTriangles();
    DrawSideMasks();

    // The playfield turns in horiz; the front end stays upright.
    bool horizontal = Saved.ScreenOrientation == 1;
    if (horizontal) UpdateUprightCamera(560);
    if (menu) {
        DrawMenu();
    } else {
        DrawHud();
        if (horizontal) UpdateUprightCamera(550);
        DrawBossBar();
    }

    FastForwardGate();
}
