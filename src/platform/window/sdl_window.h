#pragma once
// Between the SDL backends: the OpenGL device lives on the window, and the window takes shortcuts
// from the keyboard.
#include <SDL.h>

namespace plat {
SDL_Window* SdlWindowHandle();
// The key reads as released until it really is (the window took it for a shortcut).
void SwallowKeyUntilReleased(int sdlScancode);
}
