#include "platform/platform.h"

#include "platform/headless.h"
#include "platform/real.h"

namespace plat {

namespace {
Window* gWindow = nullptr;
Clock* gClock = nullptr;
Gfx* gGfx = nullptr;
InputDevice* gInput = nullptr;
SoundLib* gSound = nullptr;
Dialogs* gDialogs = nullptr;
Net* gNet = nullptr;


}  // namespace

Headless& headless() {
    static Headless h;
    return h;
}

void Headless::Reset() {
    window.Reset();
    clock.Reset();
    gfx.Reset();
    input.Reset();
    sound.Reset();
    dialogs.Reset();
    net.Reset();
}

Window& window() { return *gWindow; }
Clock& clock() { return *gClock; }
Gfx& gfx() { return *gGfx; }
InputDevice& input() { return *gInput; }
SoundLib& sound() { return *gSound; }
Dialogs& dialogs() { return *gDialogs; }
Net& net() { return *gNet; }

void UseRealPlatform() {
    gWindow = &RealWindow();
    gClock = &RealClock();
    gGfx = &RealGfx();
    gInput = &RealInput();
    gSound = &RealSound();
    gDialogs = &RealDialogs();
    gNet = &RealNet();
}

void UseHeadlessPlatform() {
    Headless& h = headless();
    gWindow = &h.window;
    gClock = &h.clock;
    gGfx = &h.gfx;
    gInput = &h.input;
    gSound = &h.sound;
    gDialogs = &h.dialogs;
    gNet = &h.net;
}

void UseRealGraphicsOnly() {
    UseHeadlessPlatform();
    gWindow = &RealWindow();
    gGfx = &RealGfx();
}

void DrawThroughOpenGL(bool real) { gGfx = real ? &RealGfx() : static_cast<Gfx*>(&headless().gfx); }

void UseRealPlatformWithScriptedInput() {
    UseRealPlatform();
    gInput = &headless().input;
}

void UseRealDialogsOnly() {
    UseHeadlessPlatform();
    gDialogs = &RealDialogs();
}

}  // namespace plat
