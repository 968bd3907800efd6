// The graphics device on the page's canvas through WebGL 2.
#include <emscripten.h>
#include <emscripten/html5.h>

#include "platform/gfx/gl_device.h"
#include "platform/real.h"
#include "platform/web/web_backends.h"

extern "C" void quivex_set_fullscreen(int on);  // page.js

namespace plat {
namespace {

uint64_t presents;
uint64_t glowLayers;  // added into the picture: the light picture is being drawn
bool fullscreenWanted;

constexpr GLenum kUnmaskedRenderer = 0x9246;  // UNMASKED_RENDERER_WEBGL

// The player left full screen from the browser (Escape, its own controls): the game hears it as
// Alt+Enter, so its setting follows.
EM_BOOL OnFullscreenChange(int, const EmscriptenFullscreenChangeEvent* e, void*) {
    if (!e->isFullscreen && fullscreenWanted) {
        fullscreenWanted = false;
        PushWindowEvent(WindowEventKind::ToggleFullscreen);
    }
    return false;
}

class WebGlGfx : public GlDevice {
public:
    WebGlGfx() : GlDevice("#version 300 es\nprecision highp float;\nprecision highp int;\n", true) {}

    bool CurrentDisplayMode(DisplayMode& mode) override {
        int w = 0, h = 0;
        emscripten_get_screen_size(&w, &h);
        mode = {w, h, 60};
        return true;
    }

    // The browser shows a picture at each of the display's refreshes; the frame loop paces the game.
    bool SetSwapInterval(int) override { return false; }

    void AddGlowLayer(float x0, float y0, float x1, float y1) override {
        ++glowLayers;
        GlDevice::AddGlowLayer(x0, y0, x1, y1);
    }

    using GlDevice::DrawNothingUntilPresent;
    using GlDevice::LastPresentScaled;

protected:
    bool MakeContext() override {
        EmscriptenWebGLContextAttributes attrs;
        emscripten_webgl_init_context_attributes(&attrs);
        attrs.majorVersion = 2;
        attrs.minorVersion = 0;
        // The picture is scaled into the canvas by a blit, which a multisampled canvas refuses.
        attrs.antialias = false;
        attrs.alpha = false;
        attrs.depth = false;
        attrs.stencil = false;
        emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, false, OnFullscreenChange);
        context_ = emscripten_webgl_create_context("#canvas", &attrs);
        if (context_ <= 0) return false;
        return emscripten_webgl_make_context_current(context_) == EMSCRIPTEN_RESULT_SUCCESS;
    }

    // GL_RENDERER is masked ("WebKit WebGL"); the debug extension, where the browser offers it, names
    // the real one, which tells a software rasteriser.
    const char* RendererName() override {
        const char* name = nullptr;
        if (emscripten_webgl_enable_extension(context_, "WEBGL_debug_renderer_info"))
            name = reinterpret_cast<const char*>(glGetString(kUnmaskedRenderer));
        if (!name) name = GlDevice::RendererName();
        EM_ASM({ console.info('quiv-ex: WebGL renderer: ' + ($0 ? UTF8ToString($0) : 'unknown')); }, name);
        return name;
    }

    void DropContext() override {
        emscripten_webgl_destroy_context(context_);
        context_ = 0;
    }

    // Full screen is the browser's, for the whole page: the canvas fills it either way.
    bool ApplyWindowMode(bool windowed) override {
        fullscreenWanted = !windowed;
        quivex_set_fullscreen(windowed ? 0 : 1);
        return true;
    }

    void DrawableSize(int& w, int& h) override { CanvasSize(w, h); }

    // The browser shows the canvas when the animation frame returns.
    void Swap() override { ++presents; }

    // The canvas is cleared after it is shown, and frames that fast-forward add up across presents.
    bool DirectDrawingAllowed() const override { return false; }

private:
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context_ = 0;
};

WebGlGfx& Instance() {
    static WebGlGfx g;
    return g;
}

}  // namespace

uint64_t PresentCount() { return presents; }
// For the browser test: whether the light picture is drawn.
extern "C" EMSCRIPTEN_KEEPALIVE double quivex_glow_layers() { return static_cast<double>(glowLayers); }
void HideNextPicture() { Instance().DrawNothingUntilPresent(); }
// For the browser test: the picture's size in the canvas's pixels, and whether it was scaled to them.
extern "C" EMSCRIPTEN_KEEPALIVE double quivex_picture_width() {
    int w = 0, h = 0;
    Instance().BackBufferSize(w, h);
    return w;
}
extern "C" EMSCRIPTEN_KEEPALIVE double quivex_picture_height() {
    int w = 0, h = 0;
    Instance().BackBufferSize(w, h);
    return h;
}
extern "C" EMSCRIPTEN_KEEPALIVE int quivex_picture_scaled() { return Instance().LastPresentScaled() ? 1 : 0; }

Gfx& RealGfx() { return Instance(); }

}  // namespace plat
