#pragma once
// The real backends (SDL2, OpenGL 3.3, SDL2_mixer). Only platform.cpp picks them.
#include "platform/platform.h"

namespace plat {

Window& RealWindow();
Clock& RealClock();
Gfx& RealGfx();
InputDevice& RealInput();
SoundLib& RealSound();
Dialogs& RealDialogs();

}  // namespace plat
