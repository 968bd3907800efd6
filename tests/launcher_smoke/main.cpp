// The real launcher and controls dialogs on a display: each is opened, worked once as a person would,
// and pictured; then "launch" must open the game window.
// Usage: quivex_launcher_smoke <folder for the pictures>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "game/game_flow.h"
#include "game/level_state.h"
#include "shell/bindings.h"
#include "input/devices.h"
#include "platform/dialogs/dialog_driver.h"
#include "platform/platform.h"
#include "render/device.h"
#include "shell/data_dir.h"
#include "shell/error_log.h"
#include "world/world.h"
#include "app/launcher.h"
#include "app/main_loop.h"
#include "app/reset.h"
#include "shell/settings.h"

namespace {

int failures = 0;

void Check(bool ok, const std::string& what) {
    if (ok) return;
    std::fprintf(stderr, "FAILED: %s\n", what.c_str());
    ++failures;
}

std::string Read(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <shots folder>\n", argv[0]);
        return 2;
    }
    std::string shots = argv[1];
    std::system(("mkdir -p '" + shots + "'").c_str());
    setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus under Xvfb
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    char scratch[] = "/tmp/quivex-launcher-XXXXXX";
    if (!mkdtemp(scratch) || chdir(scratch) != 0) return 2;
    SetDataDir(nullptr);

    // 1. The launcher alone: set controls (turn the joypad off, OK), clear all (Cancel), launch.
    plat::UseRealDialogsOnly();
    ResetAllState();
    OpenErrorLog();
    LoadSettings();
    Check(DirectXVersion() == 0x801, "OpenGL 3.3 is offered under Xvfb + Mesa");
    std::vector<std::string> seen;
    plat::SetDialogHook([&](plat::DialogDriver& dialog) {
        std::string caption = dialog.Caption();
        seen.push_back(caption);
        if (caption == "quiv-ex") {
            Check(dialog.Snapshot((shots + "/launcher.png").c_str()), "launcher picture");
            Check(dialog.Click("set controls"), "set controls");
            Check(dialog.Click("clear all"), "clear all");
            Check(dialog.Snapshot((shots + "/launcher_after.png").c_str()), "second launcher picture");
            Check(dialog.Click("launch"), "launch");
        } else if (caption == "Controls") {
            Check(dialog.Snapshot((shots + "/controls.png").c_str()), "controls picture");
            Check(dialog.Click("Enable Joypad"), "Enable Joypad");
            Check(dialog.Snapshot((shots + "/controls_joypad_off.png").c_str()), "controls picture, joypad off");
            Check(dialog.Click("OK"), "OK");
        } else if (caption == "Clear All") {
            Check(dialog.Snapshot((shots + "/clear_all.png").c_str()), "clear all picture");
            Check(dialog.Click("Cancel"), "Cancel");
        } else {
            Check(false, "unexpected dialog " + caption);
        }
    });
    Check(RunLauncher(), "the launcher was launched");
    Check((seen == std::vector<std::string>{"quiv-ex", "Controls", "Clear All"}), "each dialog shown once");
    Check(W.Saved.Bindings[SlotJoypadEnabled] == 0, "Enable Joypad turned the joypad off");
    Check(Read("quivex.cfg") ==
              "9990 200 208 203 205 45 44 197 2002 2003 2000 2001 1000 1001 0 1 0 0 0 0 0 0 0 0 0 0 0 0 100 100",
          "OK in the controls dialog saved the bindings");
    std::string log = Read("err.log");
    Check(log == "error log file\n==============\nin\ncombo pos (resolution): 1\n   checkbox (windowed): 0\n"
                 "tate mode: 0\nout\n",
          "log lines: " + log);

    // 2. The whole start-up on the real platform: "launch" opens the game window. There is no sound
    // device (a driver that does not exist) and no controller under Xvfb: the game plays on silently.
    setenv("SDL_AUDIODRIVER", "quivex-no-such-driver", 1);
    std::remove("quivex.cfg");
    plat::UseRealPlatform();
    ResetAllState();
    seen.clear();
    plat::SetDialogHook([&](plat::DialogDriver& dialog) {
        seen.push_back(dialog.Caption());
        Check(dialog.Click("windowed"), "windowed");
        Check(dialog.Click("launch"), "launch");
    });
    int code = -1;
    bool started = StartProgram(StartOptions{}, code);
    Check(started, "start-up after launch");
    Check(seen.size() == 1, "the launcher was shown at start-up");
    Check(started && plat::window().Exists(), "the game window exists");
    Check(W.Saved.Windowed == 1 && Exists("quivex.cfg"), "the launcher's choice reached the settings file");
    if (started) {
        Check(!Devices.JoystickPresent, "no controller under Xvfb");
        Check(RunWarmUpFrames(code), "the warm-up frames");
        StartFromMenu(StartFullGame, 0);
        bool running = true;
        for (int frame = 0; frame < 240 && running; ++frame) running = FramePass(code);
        Check(running && W.Program.GameMode == Mode::Playing && W.Level.LevelClock >= 30,  // past the level title
              "a level plays without sound or controller: mode " + std::to_string(W.Program.GameMode) + ", clock " +
                  std::to_string(W.Level.LevelClock));
        Check(W.MusicTrack == 0, "the level's music was asked for, to no device");
        ReleaseGraphics();
    }
    plat::SetDialogHook({});
    std::system((std::string("rm -rf '") + scratch + "'").c_str());
    if (failures == 0) std::printf("launcher smoke test passed; pictures in %s\n", shots.c_str());
    return failures == 0 ? 0 : 1;
}
