#pragma once
// For the OpenGL device, which lives on the SDL window.
#include <SDL.h>

namespace plat {
SDL_Window* SdlWindowHandle();
}
