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
}

Window& window() { return *gWindow; }
Clock& clock() { return *gClock; }
Gfx& gfx() { return *gGfx; }
InputDevice& input() { return *gInput; }
SoundLib& sound() { return *gSound; }

void UseRealPlatform() {
    gWindow = &RealWindow();
    gClock = &RealClock();
    gGfx = &RealGfx();
    gInput = &RealInput();
    gSound = &RealSound();
}

void UseHeadlessPlatform() {
    Headless& h = headless();
    gWindow = &h.window;
    gClock = &h.clock;
    gGfx = &h.gfx;
    gInput = &h.input;
    gSound = &h.sound;
}

void UseRealGraphicsOnly() {
    UseHeadlessPlatform();
    gWindow = &RealWindow();
    gGfx = &RealGfx();
}

}  // namespace plat
