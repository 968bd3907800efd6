#include <SDL.h>
#include <epoxy/gl.h>

#include "platform/platform.h"

namespace plat {

std::string DescribeRealDevices() {
    const GLubyte* renderer = SDL_GL_GetCurrentContext() ? glGetString(GL_RENDERER) : nullptr;
    const char* audio = SDL_GetCurrentAudioDriver();
    return std::string(renderer ? reinterpret_cast<const char*>(renderer) : "no OpenGL renderer") +
           ", audio driver " + (audio ? audio : "none");
}

}  // namespace plat
