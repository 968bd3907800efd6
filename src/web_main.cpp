// The browser's start: no launcher, the saved settings, then the warm-up and the frame loop run on the
// page's animation frames instead of a loop of their own.
#include "app/main_loop.h"
#include "platform/platform.h"
#include "platform/web/web_platform.h"
#include "shell/game_vars.h"

namespace {

int warmUpDone;

// One warm-up frame, then frame passes, each as the desktop's loops run them.
bool Pass(int& exitCode) {
    if (warmUpDone == kWarmUpFrames) return FramePass(exitCode);
    if (!DrainMessages(exitCode)) return false;
    if (GameMode == Mode::Quitting) plat::window().Destroy();
    WarmUpFrameNumber = ++warmUpDone;
    WarmUpFrame();
    if (warmUpDone == kWarmUpFrames) WarmUpFrameNumber = 0;
    return true;
}

void Start() {
    StartOptions options;
    options.runLauncher = false;
    int exitCode = 0;
    if (!StartProgram(options, exitCode)) return;
    plat::RunOnAnimationFrames(Pass);
}

}  // namespace

int main() {
    plat::UseRealPlatform();
    plat::StartWebPlatform(Start);
    return 0;
}
