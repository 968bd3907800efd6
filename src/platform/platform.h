#pragma once
// The platform pieces the game talks to, chosen once at start-up.
#include "platform/clock/clock.h"
#include "platform/dialogs/dialogs.h"
#include "platform/gfx/gfx.h"
#include "platform/inputdev/inputdev.h"
#include "platform/net/net.h"
#include "platform/soundlib/soundlib.h"
#include "platform/window/window.h"

#include <string>

namespace plat {

Window& window();
Clock& clock();
Gfx& gfx();
InputDevice& input();
SoundLib& sound();
Dialogs& dialogs();
Net& net();

// SDL2 window, counter and input, OpenGL 3.3 device, SDL2_mixer sound, GTK 3 dialogs; in the browser
// build the page's canvas and clock, WebGL 2, key events and gamepads, OpenAL, no dialogs; libcurl on a
// thread of its own, or the browser's fetch, for the network.
void UseRealPlatform();
// No window, device or sound: a fake clock, recording device and sound library, scripted input and network.
void UseHeadlessPlatform();
// The real window and OpenGL device (for screenshots); clock, input and sound stay headless.
void UseRealGraphicsOnly();
// With the real window up, draws through OpenGL (true) or records only (false): a runner that wants a
// few pictures out of a long run draws only those frames.
void DrawThroughOpenGL(bool real);
// The real launcher dialogs; everything else stays headless (the dialog smoke test).
void UseRealDialogsOnly();
// The real platform, except that keys come from the headless input device: a program can fly the game on
// the real window, clock, device and mixer (the benchmarks).
void UseRealPlatformWithScriptedInput();
// The OpenGL renderer and the audio driver in use, for reports.
std::string DescribeRealDevices();

}  // namespace plat
