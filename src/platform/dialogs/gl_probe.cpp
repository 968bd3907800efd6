#include "platform/dialogs/gl_probe.h"

#include <SDL.h>
#include <epoxy/gl.h>

namespace plat {

int ProbeOpenGLVersion() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return 0;
    int version = 0;
    // First the context the game's device asks for; some drivers only offer a core profile that way,
    // others (old ones) only hand out their default context.
    for (int attempt = 0; attempt < 2 && version == 0; ++attempt) {
        SDL_GL_ResetAttributes();
        if (attempt == 0) {
            SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
            SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
            SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        }
        SDL_Window* window = SDL_CreateWindow("", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!window) break;
        if (SDL_GLContext context = SDL_GL_CreateContext(window)) {
            if (SDL_GL_MakeCurrent(window, context) == 0) version = epoxy_gl_version();
            SDL_GL_MakeCurrent(window, nullptr);
            SDL_GL_DeleteContext(context);
        }
        SDL_DestroyWindow(window);
    }
    SDL_GL_ResetAttributes();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return version;
}

}  // namespace plat
