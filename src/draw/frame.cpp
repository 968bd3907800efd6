#include "draw/frame.h"

#include <glm/mat4x4.hpp>

#include "draw/front_end.h"
#include "draw/playfield.h"
#include "draw/screens.h"
#include "game/level_screens.h"
#include "game/level_state.h"
#include "render/background.h"
#include "render/batches.h"
#include "render/camera.h"
#include "render/font.h"
#include "shell/error_log.h"
#include "world/world.h"
#include "render/timing.h"

namespace {

void ReportOverflow(int32_t flag, float y, const char* message, int32_t count) {
    if (flag != 1) return;
    DrawText(130, y, 0, 20, 0xFFFF0000, message);
    LogError("%s : %d \n", message, count);
}

bool InPlay(const World& w) { return w.Program.GameMode == Mode::Playing || w.Program.GameMode == Mode::Paused; }

// Everything in play, where the update left it: into the batches, drawn at the next flush.
void DrawPlayfield(const World& w) {
    DrawPlayfieldGrid(w);
    for (int slot = 0; slot < kEnemyPoolSize; ++slot)
        if (w.EnemyPool[slot].active == 1) DrawEnemy(w, slot);
    DrawEnemyBullets(w);
    if (w.Level.ReportShowing == 0 && w.PlayerShip.active) {
        DrawShip(w);
        DrawThrusters(w);
    }
    DrawPlayerShots(w);
    DrawShards(w);
    DrawSparks(w);
    DrawPickups(w);
    DrawGlows(w);
}

void DrawScreenShown(const World& w) {
    switch (w.Level.ScreenShown) {
        case BossWarningScreen: DrawBossWarning(w); break;
        case MissionReportScreen: DrawMissionReport(w); break;
        case PilotStatusScreen: DrawPilotStatus(w); break;
        default: break;
    }
}

}  // namespace

void RenderFrame(const World& w) {
    ApplyCamera(w);
    SetWorld();
    const bool inPlay = InPlay(w);
    if (inPlay) DrawPlayfield(w);

    ReportOverflow(Batches.LineVertOverflow, 400, "LINE VERT OVERFLOW", Batches.LineVertexCount);
    ReportOverflow(Batches.LineIndexOverflow, 420, "LINE INDEX OVERFLOW", Batches.LineIndexCount);
    ReportOverflow(Batches.TriVertOverflow, 440, "TRI VERT OVERFLOW", Batches.TriangleVertexCount);
    ReportOverflow(Batches.TexTriVertOverflow, 460, "TEX TRI VERT OVERFLOW", Batches.TexturedTriangleVertexCount);

    bool menu = w.Program.GameMode == Mode::Menu || w.Program.GameMode == Mode::CaptureBinding;
    if (w.Program.GameMode != Mode::Menu) DrawShieldRings(w, w.PlayerShip.x, w.PlayerShip.y, w.ShieldTimer);
    if (menu) DrawBackgroundGrid(w);
    DrawBackgroundWaves(w);

    FlushLines(w.Level.LevelTitleTimer);
    FlushTriangles();
    FlushTexturedTriangles();

    // A screen over the playfield turns with it in horiz and is cut by the side masks like it.
    if (inPlay) DrawScreenShown(w);
    DrawSideMasks();

    // The playfield turns in horiz; the front end stays upright.
    bool horizontal = w.Saved.ScreenOrientation == 1;
    if (horizontal) ApplyUprightCamera(w, 560);
    if (menu) {
        DrawMenu(w);
    } else {
        DrawHud(w);
        if (horizontal) ApplyUprightCamera(w, 550);
        DrawBossBar(w);
    }

    FastForwardGate(w);
}
