// quivex-render-scenes OUTDIR: draws fixed scenes with the real OpenGL renderer and writes one PNG each,
// so what the renderer shows can be checked by tests and looked at by people.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include <glm/ext/matrix_transform.hpp>

#include "game/game_flow.h"
#include "game/level_state.h"
#include "game/ship.h"
#include "platform/gfx/image_decode.h"
#include "platform/platform.h"
#include "render/background.h"
#include "render/batches.h"
#include "render/camera.h"
#include "render/font.h"
#include "draw/frame.h"
#include "world/world.h"
#include "shell/options.h"
#include "app/main_loop.h"
#include "app/reset.h"
#include "render/timing.h"

namespace {

std::string outDir;
std::string pendingShot;
int failures = 0;
std::vector<unsigned char> pixels;

void Capture() {
    if (pendingShot.empty()) return;
    int w = 0, h = 0;
    plat::gfx().BackBufferSize(w, h);
    pixels.assign(static_cast<size_t>(w) * h * 4, 0);
    std::string path = outDir + "/" + pendingShot + ".png";
    if (!plat::gfx().ReadBackBuffer(pixels.data(), w, h) || !plat::WritePng(path.c_str(), pixels.data(), w, h)) {
        std::fprintf(stderr, "quivex-render-scenes: could not write %s\n", path.c_str());
        ++failures;
    }
    pendingShot.clear();
}

// Presents what has been drawn, saving it first under `name`.
void Shoot(const char* name) {
    pendingShot = name;
    PaceAndPresent();
}

void SettleCameras() {
    for (int i = 0; i < 600; ++i) {
        UpdateCamera();
        UpdateUprightCamera(560);
        UpdateUprightCamera(550);
    }
}

void Identity() { plat::gfx().SetTransform(plat::TransformKind::World, glm::mat4(1.0f)); }

// Text as the HUD draws it: with the playfield camera, or upright in horiz.
void TextScene(int orientation) {
    W.Saved.ScreenOrientation = orientation;
    SettleCameras();
    if (orientation == 1) UpdateUprightCamera(560);
    else UpdateCamera();
    Identity();
    DrawText(200, 100, 0, 100, 0xFFFFFFFF, "M.");
    DrawText(140, 300, 0, 30, 0xFF40FF40, "quiv-ex TEXT 0123");
    // Turned away from the camera: must not show.
    glm::mat4 turned = glm::translate(glm::mat4(1.0f), glm::vec3(400, 420, 0));
    turned = glm::rotate(turned, 3.14159f, glm::vec3(0, 1, 0));
    plat::gfx().SetTransform(plat::TransformKind::World, turned);
    DrawText(-40, 0, 0, 100, 0xFFFFFFFF, "WW");
    Identity();
    Shoot(("text_" + std::to_string(orientation)).c_str());
}

void LineScene() {
    W.Saved.ScreenOrientation = 0;
    SettleCameras();
    UpdateCamera();
    Identity();
    AddLine(200, 256, 0xFFFFFFFF, 440, 256, 0xFFFFFFFF);
    AddLine(200, 400, 0xFF0080FF, 440, 400, 0xFF0080FF);
    FlushLines(0);
    Shoot("lines");
}

void OverflowScene() {
    W.Saved.ScreenOrientation = 0;
    W.Program.GameMode = Mode::Playing;
    SettleCameras();
    for (int i = 0; i < 5002; ++i) AddLine(300, 100, 0xFF000000, 301, 100, 0xFF000000);
    pendingShot = "overflow";
    AdvancePresentation();
    RenderFrame(W);
}

// The frame up to the side masks, over a field painted white everywhere: only the masks may be black.
void MaskScene(int orientation) {
    W.Saved.ScreenOrientation = orientation;
    W.Program.GameMode = Mode::Playing;
    SettleCameras();
    UpdateCamera();
    Identity();
    for (int y = 0; y <= 512; y += 8) AddLine(-100, y, 0xFFFFFFFF, 740, y, 0xFFFFFFFF);
    AddQuad(-100, 0, 0xFFFFFFFF, 740, 0, 0xFFFFFFFF, -100, 512, 0xFFFFFFFF, 740, 512, 0xFFFFFFFF);
    FlushLines(0);
    FlushTriangles();
    FlushTexturedTriangles();
    DrawSideMasks();
    Shoot(("masks_" + std::to_string(orientation)).c_str());
}

void FontSheet() {
    W.Saved.ScreenOrientation = 0;
    SettleCameras();
    UpdateUprightCamera(560);
    Identity();
    char row[40];
    int y = 20;
    for (int first = 33; first < 127; first += 24) {
        int n = 0;
        for (int c = first; c < first + 24 && c < 127; ++c) row[n++] = static_cast<char>(c);
        row[n] = 0;
        DrawText(10, y, 0, 36, 0xFFFFFFFF, row);
        y += 40;
    }
    DrawText(10, y + 10, 0, 30, 0xFF80FFFF, "start game  options  credits");
    DrawText(10, y + 50, 0, 30, 0xFFFFFF80, "HI: 042   held: 17   best: 23");
    DrawText(10, y + 90, 0, 20, 0xFFFF8040, "level 1 - redefine, press any key/axis/button");
    DrawText(10, y + 120, 0, 14, 0xFFFFFFFF, "small text: ship up: UP ARROW  ship fire: X  (joypad enabled)");
    Shoot("font_sheet");
}

void TitleLogoScene() {
    W.Saved.ScreenOrientation = 0;
    SettleCameras();
    UpdateUprightCamera(560);
    Identity();
    for (int i = 0; i < 60; ++i) AdvanceTitleLogo();  // let the glow phases move on
    DrawTitleLogo(W, 170, 80);
    DrawText(220, 300, 0, 30, 0xFFFFFFFF, "start game");
    Shoot("title_logo");
}

void PlayfieldScene(int orientation) {
    W.Saved.ScreenOrientation = orientation;
    W.Program.GameMode = Mode::Playing;
    W.Level.LevelTitleTimer = 200;
    W.Game.Lives = 5;
    SettleCameras();
    for (int frame = 0; frame < 90; ++frame) {
        DrawPlayfieldGrid(W);
        AdvancePlayfieldGrid();
        if (frame == 89) pendingShot = "playfield_" + std::to_string(orientation);
        AdvancePresentation();
        RenderFrame(W);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quivex-render-scenes OUTDIR\n");
        return 2;
    }
    outDir = argv[1];
    if (chdir(outDir.c_str()) != 0) {
        std::fprintf(stderr, "quivex-render-scenes: cannot use %s\n", outDir.c_str());
        return 2;
    }
    char cwd[4096];
    outDir = getcwd(cwd, sizeof cwd) ? cwd : outDir;
    plat::UseRealGraphicsOnly();
    ResetAllState();
    StartOptions options;
    options.runLauncher = false;
    options.forceWindowed = true;
    int exitCode = 0;
    if (!StartProgram(options, exitCode)) return 1;
    Options.EffectsSetting = kEffectsFull;  // the reference picture, whatever the renderer
    Timing.BeforePresentHook = Capture;

    for (int o = 0; o < 3; ++o) TextScene(o);
    LineScene();
    OverflowScene();
    for (int o = 0; o < 3; ++o) MaskScene(o);
    FontSheet();
    TitleLogoScene();
    for (int o = 0; o < 3; ++o) PlayfieldScene(o);
    return failures ? 1 : 0;
}
