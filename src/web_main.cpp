// The browser's start: no launcher, the saved settings, then the warm-up and the frame loop run on the
// page's animation frames instead of a loop of their own.
#include "app/main_loop.h"
#include "platform/platform.h"
#include "platform/web/web_platform.h"

namespace {

void Start() {
    StartOptions options;
    options.runLauncher = false;
    int exitCode = 0;
    if (!StartProgram(options, exitCode)) return;
    plat::RunOnAnimationFrames(NextPass);
}

}  // namespace

int main() {
    plat::UseRealPlatform();
    plat::StartWebPlatform(Start);
    return 0;
}
