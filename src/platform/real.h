#pragma once
// The real backends: SDL2, OpenGL 3.3 and SDL2_mixer on the desktop, the page's (web/) in the browser
// build. Only platform.cpp picks them.
#include "platform/platform.h"

namespace plat {

Window& RealWindow();
Clock& RealClock();
Gfx& RealGfx();
InputDevice& RealInput();
SoundLib& RealSound();
Dialogs& RealDialogs();
Net& RealNet();

}  // namespace plat
