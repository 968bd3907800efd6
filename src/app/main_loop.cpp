#include "app/main_loop.h"

#include "app/replay.h"
#include "app/replay_viewer.h"
#include <glm/mat4x4.hpp>

#include "audio/audio.h"
#include "frontend/menu.h"
#include "game/records.h"
#include "game/ship.h"
#include "game/game_flow.h"
#include "online/boards.h"
#include "input/devices.h"
#include "app/input_step.h"
#include "platform/platform.h"
#include "render/background.h"
#include "render/camera.h"
#include "render/device.h"
#include "draw/frame.h"
#include "shell/data_dir.h"
#include "shell/error_log.h"
#include "world/world.h"
#include "app/launcher.h"
#include "shell/options.h"
#include "shell/settings.h"
#include "render/timing.h"
#include "shell/trig.h"

LoopState Loop;

namespace {

constexpr int kInitialOuterWidth = 1032, kInitialOuterHeight = 795;

void OnWindowMoved() {
    plat::window().Position(W.Saved.WindowX, W.Saved.WindowY);
    SaveSettings();
}

}  // namespace

bool DrainMessages(int& exitCode) {
    plat::WindowEvent ev;
    while (plat::window().PollEvent(ev)) {
        switch (ev.kind) {
            case plat::WindowEventKind::Quit:
                ReleaseGraphics();
                exitCode = 0;
                return false;
            case plat::WindowEventKind::Moved:
                OnWindowMoved();
                break;
            case plat::WindowEventKind::FocusGained:
                LogError("got focus\n");
                break;
            case plat::WindowEventKind::FocusLost:
                LogError("lost focus\n");
                break;
            case plat::WindowEventKind::ToggleFullscreen:
                // A replay holds the display settings it was recorded with until it ends.
                if (W.Host.WatchingReplay) break;
                SetWindowed(W.Saved.Windowed ? 0 : 1);
                RefreshMenuValues();
                break;
        }
    }
    return true;
}

bool StartProgram(const StartOptions& options, int& exitCode) {
    exitCode = 0;
    Loop.warmUpFramesRun = 0;
    ChooseDataDir();
    OpenErrorLog();
    LoadSettings();
    LoadOptions();
    LoadRecords();
    const int32_t nativeLoaded = Options.ResolutionNative;
    ApplyCommandLine(options.commandLine);
    if (options.runLauncher && !RunLauncher()) return false;  // closed without "launch": no window, exit code 0
    if (Options.ResolutionNative != nativeLoaded || !options.commandLine.board.empty()) SaveOptions();
    StartBoards();
    int windowed = options.forceWindowed ? 1 : W.Saved.Windowed;

    plat::Window& window = plat::window();
    if (!window.Create("quiv-ex", W.Saved.WindowX, W.Saved.WindowY, kInitialOuterWidth, kInitialOuterHeight)) {
        LogError("failed to create window\n");
        ErrorBox("failed to create window (no display?)");
        return false;
    }
    if (windowed == 1) PlaceWindowForResolution();
    SaveSettings();
    // Shown first, so the vertical-blank test measures the window the player sees.
    window.Show();
    if (InitDevice(windowed) != 0) {
        ErrorBox("directx init failed");
        LogError("directx init failed");
        return false;
    }
    InitInput();
    InitSound();
    if (!windowed) window.MoveCursorOffScreen();
    BuildTrigTables();
    GameInit();
    PrepareReplays();
    BuildMenu(0);
    return true;
}

void WarmUpFrame() {
    StepCamera();
    AdvanceStudioLogo();
    PlayRequestedSounds();
    ApplyCamera(W);
    plat::gfx().SetTransform(plat::TransformKind::World, glm::mat4(1.0f));
    DrawStudioLogo(W);
    PaceAndPresent();
}

bool NextPass(int& exitCode) {
    if (Loop.warmUpFramesRun == kWarmUpFrames) return FramePass(exitCode);
    if (!DrainMessages(exitCode)) return false;
    if (W.Program.GameMode == Mode::Quitting) plat::window().Destroy();
    Loop.WarmUpFrameNumber = ++Loop.warmUpFramesRun;
    WarmUpFrame();
    if (Loop.warmUpFramesRun == kWarmUpFrames) Loop.WarmUpFrameNumber = 0;
    return true;
}

bool RunWarmUpFrames(int& exitCode) {
    while (Loop.warmUpFramesRun < kWarmUpFrames)
        if (!NextPass(exitCode)) return false;
    return true;
}

void StepFrame(bool shown) {
    InputStep();
    UpdateFrame();
    PerformDisplayRequests();
    PerformWatchRequest();
    AdvancePresentation();
    if (shown) RenderFrame(W);
    UpdateMusicFade();
    PlayRequestedSounds();
    PumpBoards();
}

bool FramePass(int& exitCode, bool shown) {
    if (!DrainMessages(exitCode)) return false;
    if (W.Program.GameMode == Mode::Quitting) plat::window().Destroy();
    if (WatchedPass()) {
        ++Loop.FrameCount;
        return true;
    }
    RecordGamesBeforeFrame();
    StepFrame(shown);
    RecordGamesAfterFrame();
    AfterWatchedFrame();
    ++Loop.FrameCount;
    return true;
}

int RunProgram(const StartOptions& options) {
    int exitCode = 0;
    if (!StartProgram(options, exitCode)) return exitCode;
    if (!RunWarmUpFrames(exitCode)) return exitCode;
    while (FramePass(exitCode)) {
    }
    return exitCode;
}

void ResetMainLoop() {
    Loop.warmUpFramesRun = 0;
    Loop.FrameCount = 0;
    Loop.WarmUpFrameNumber = 0;
}
