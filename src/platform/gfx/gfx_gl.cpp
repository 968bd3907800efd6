// The graphics device on an SDL window's OpenGL 3.3 core context.
#include <SDL.h>

#include "platform/gfx/gl_device.h"
#include "platform/real.h"
#include "platform/window/sdl_window.h"

namespace plat {
namespace {

class SdlGlGfx : public GlDevice {
public:
    SdlGlGfx() : GlDevice("#version 330 core\n", false) {}

    bool CurrentDisplayMode(DisplayMode& mode) override {
        SDL_DisplayMode dm;
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_GetDesktopDisplayMode(0, &dm) != 0) return false;
        mode = {dm.w, dm.h, dm.refresh_rate};
        return true;
    }

    bool SetSwapInterval(int interval) override {
        return context_ && SDL_GL_SetSwapInterval(interval) == 0;
    }

protected:
    bool MakeContext() override {
        SDL_Window* win = SdlWindowHandle();
        if (!win) return false;
        context_ = SDL_GL_CreateContext(win);
        if (!context_) return false;
        SDL_GL_MakeCurrent(win, context_);
        if (epoxy_gl_version() < 33) {
            DropContext();
            return false;
        }
        return true;
    }

    void DropContext() override {
        SDL_GL_DeleteContext(context_);
        context_ = nullptr;
    }

    bool ApplyWindowMode(bool windowed) override {
        SDL_Window* win = SdlWindowHandle();
        SDL_Rect display;
        if (!windowed && !(SDL_GetWindowFlags(win) & SDL_WINDOW_FULLSCREEN) &&
            SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(win), &display) == 0) {
            // Where no window manager answers the full-screen request, the window covers the display anyway.
            SDL_SetWindowPosition(win, display.x, display.y);
            SDL_SetWindowSize(win, display.w, display.h);
        }
        return SDL_SetWindowFullscreen(win, windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
    }

    void DrawableSize(int& w, int& h) override { SDL_GL_GetDrawableSize(SdlWindowHandle(), &w, &h); }

    void Swap() override { SDL_GL_SwapWindow(SdlWindowHandle()); }

    // Mesa's software rasteriser on X11 learns the window's size only when it swaps: a swap of the
    // cleared back buffer first, so the frame is drawn at the new size rather than cut to the old one.
    void DrawableResized() override {
        if (SoftwareRasteriser()) SDL_GL_SwapWindow(SdlWindowHandle());
    }

private:
    SDL_GLContext context_ = nullptr;
};

}  // namespace

Gfx& RealGfx() {
    static SdlGlGfx g;
    return g;
}

}  // namespace plat
