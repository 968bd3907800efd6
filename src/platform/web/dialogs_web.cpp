// No launcher in the browser: the page starts the game with its saved settings, and resolution and
// orientation are chosen on the options page.
#include "platform/real.h"

namespace plat {
namespace {

class WebDialogs : public Dialogs {
public:
    LauncherResult RunLauncher(LauncherHandler&) override { return LauncherResult::Unavailable; }
    void RunControls(ControlsHandler&) override {}
    bool Confirm(const char*, const char*) override { return false; }
    int OpenGLVersion() override { return 0; }
};

}  // namespace

Dialogs& RealDialogs() {
    static WebDialogs d;
    return d;
}

}  // namespace plat
