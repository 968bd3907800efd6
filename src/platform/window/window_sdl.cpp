#include <SDL.h>

#include <cstdio>

#include "platform/real.h"
#include "platform/window/sdl_window.h"

namespace plat {
namespace {

// Frame of a window as the design counts it: 8 pixels wider and 27 taller than its client area.
constexpr int kFrameW = 8, kFrameH = 27;

// A place saved on a display that is gone (or where a minimised window was parked) would open the
// window out of sight: unless some of its top strip is on a display, it goes to the first display.
void OntoADisplay(int& x, int& y, int w) {
    const int strip = 24;
    SDL_Rect want{x, y, w > 0 ? w : 1, strip}, bounds, overlap;
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i)
        if (SDL_GetDisplayBounds(i, &bounds) == 0 && SDL_IntersectRect(&want, &bounds, &overlap) &&
            overlap.w >= 32 && overlap.h >= strip / 2)
            return;
    if (SDL_GetDisplayBounds(0, &bounds) != 0) return;
    x = bounds.x + 100;
    y = bounds.y + 100;
}

class SdlWindow : public Window {
public:
    bool Create(const char* title, int x, int y, int outerW, int outerH) override {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
        // With no display SDL falls back to drawing nowhere; unless asked for, that is no display at all.
        const char* driver = SDL_GetCurrentVideoDriver();
        bool nowhere = driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
        if (nowhere && !SDL_getenv("SDL_VIDEODRIVER")) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            return false;
        }
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        // Nothing is depth-tested: no depth or stencil buffer to clear every frame.
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
        OntoADisplay(x, y, outerW - kFrameW);
        window_ = SDL_CreateWindow(title, x, y, outerW - kFrameW, outerH - kFrameH,
                                   SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
        destroyed_ = false;
        return window_ != nullptr;
    }

    void Place(int x, int y, int clientW, int clientH, bool topmost) override {
        if (!window_) return;
        SDL_SetWindowSize(window_, clientW, clientH);
        OntoADisplay(x, y, clientW);
        SDL_SetWindowPosition(window_, x, y);
        SDL_SetWindowAlwaysOnTop(window_, topmost ? SDL_TRUE : SDL_FALSE);
    }

    void Show() override {
        if (window_) SDL_ShowWindow(window_);
    }

    // The window disappears at once; the handle stays for the device until the process ends.
    void Destroy() override {
        if (!window_ || destroyed_) return;
        SDL_HideWindow(window_);
        destroyed_ = true;
        quitPending_ = true;
    }

    bool Exists() const override { return window_ && !destroyed_; }

    bool PollEvent(WindowEvent& ev) override {
        if (quitPending_) {
            quitPending_ = false;
            ev = {WindowEventKind::Quit};
            return true;
        }
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            if (e.type == SDL_QUIT) {
                ev = {WindowEventKind::Quit};
                return true;
            }
            if (e.type == SDL_KEYDOWN && !e.key.repeat && (e.key.keysym.mod & KMOD_ALT) &&
                (e.key.keysym.scancode == SDL_SCANCODE_RETURN || e.key.keysym.scancode == SDL_SCANCODE_KP_ENTER)) {
                // The Return of Alt+Enter must not also choose a menu item.
                SwallowKeyUntilReleased(e.key.keysym.scancode);
                ev = {WindowEventKind::ToggleFullscreen};
                return true;
            }
            if (e.type != SDL_WINDOWEVENT) continue;
            switch (e.window.event) {
                case SDL_WINDOWEVENT_MOVED:
                    // Full screen puts the window at the desktop's corner, and some systems park a minimised
                    // one far off screen; the player's place is kept.
                    if (SDL_GetWindowFlags(window_) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MINIMIZED)) break;
                    ev = {WindowEventKind::Moved, e.window.data1, e.window.data2};
                    return true;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    ev = {WindowEventKind::FocusGained};
                    return true;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    ev = {WindowEventKind::FocusLost};
                    return true;
                case SDL_WINDOWEVENT_CLOSE:
                    ev = {WindowEventKind::Quit};
                    return true;
                default:
                    break;
            }
        }
        return false;
    }

    void Position(int& x, int& y) override {
        x = y = 0;
        if (window_) SDL_GetWindowPosition(window_, &x, &y);
    }

    void ClientSize(int& w, int& h) override {
        w = h = 0;
        if (window_) SDL_GetWindowSize(window_, &w, &h);
    }

    void MoveCursorOffScreen() override { SDL_ShowCursor(SDL_DISABLE); }

    bool Minimised() const override {
        return window_ && !destroyed_ && (SDL_GetWindowFlags(window_) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN));
    }

    void MessageBox(const char* caption, const char* text, bool errorIcon) override {
        Uint32 flags = errorIcon ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
        // Without a display the box cannot open; the text still reaches the user.
        if (SDL_ShowSimpleMessageBox(flags, caption, text, nullptr) != 0)
            std::fprintf(stderr, "%s: %s\n", caption, text);
    }

    SDL_Window* handle() const { return window_; }

private:
    SDL_Window* window_ = nullptr;
    bool destroyed_ = false;
    bool quitPending_ = false;
};

SdlWindow& Instance() {
    static SdlWindow w;
    return w;
}

}  // namespace

Window& RealWindow() { return Instance(); }
SDL_Window* SdlWindowHandle() { return Instance().handle(); }

}  // namespace plat
