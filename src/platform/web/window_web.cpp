// The page is the window: its canvas fills it, and there is nothing to move, size or close.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

#include "platform/real.h"
#include "platform/web/web_backends.h"

namespace plat {
namespace {

const char* kCanvas = "#canvas";
int canvasW, canvasH;

class WebWindow : public Window {
public:
    bool Create(const char*, int, int, int, int) override {
        emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, true, OnFocus);
        emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, true, OnFocus);
        FitCanvas();
        created_ = true;
        destroyed_ = false;
        return true;
    }
    void Place(int, int, int, int, bool) override {}
    void Show() override {}
    void Destroy() override {
        if (!created_ || destroyed_) return;
        destroyed_ = true;
        Push(WindowEventKind::Quit);
    }
    bool Exists() const override { return created_ && !destroyed_; }
    bool PollEvent(WindowEvent& ev) override {
        if (head_ == tail_) return false;
        ev = {queue_[head_]};
        head_ = (head_ + 1) % kQueue;
        return true;
    }
    void Position(int& x, int& y) override { x = y = 0; }
    void ClientSize(int& w, int& h) override {
        double cssW = 0, cssH = 0;
        emscripten_get_element_css_size(kCanvas, &cssW, &cssH);
        w = static_cast<int>(cssW), h = static_cast<int>(cssH);
    }
    // A page out of sight gets no animation frames: it never runs ahead.
    bool Minimised() const override { return false; }
    void MoveCursorOffScreen() override {
        EM_ASM({ Module['canvas'].style.cursor = 'none'; });
    }
    void MessageBox(const char* caption, const char* text, bool) override {
        EM_ASM({ alert(UTF8ToString($0) + ': ' + UTF8ToString($1)); }, caption, text);
    }

    void Push(WindowEventKind kind) {
        int next = (tail_ + 1) % kQueue;
        if (next == head_) return;  // nobody reads: the oldest news is enough
        queue_[tail_] = kind;
        tail_ = next;
    }

private:
    static EM_BOOL OnFocus(int type, const EmscriptenFocusEvent*, void* self) {
        if (type == EMSCRIPTEN_EVENT_BLUR) ReleaseAllKeys();
        static_cast<WebWindow*>(self)->Push(type == EMSCRIPTEN_EVENT_BLUR ? WindowEventKind::FocusLost
                                                                          : WindowEventKind::FocusGained);
        return false;
    }

    static constexpr int kQueue = 16;
    WindowEventKind queue_[kQueue] = {};
    int head_ = 0, tail_ = 0;
    bool created_ = false, destroyed_ = false;
};

WebWindow& Instance() {
    static WebWindow w;
    return w;
}

}  // namespace

void PushWindowEvent(WindowEventKind kind) { Instance().Push(kind); }

// The drawing buffer follows the page's size in device pixels, so the picture is scaled once, sharply.
void FitCanvas() {
    double cssW = 0, cssH = 0;
    emscripten_get_element_css_size(kCanvas, &cssW, &cssH);
    double ratio = emscripten_get_device_pixel_ratio();
    int w = static_cast<int>(std::lround(cssW * ratio)), h = static_cast<int>(std::lround(cssH * ratio));
    if (w < 1) w = 1;
    if (h < 1) h = 1;
    if (w != canvasW || h != canvasH) {
        emscripten_set_canvas_element_size(kCanvas, w, h);
        canvasW = w, canvasH = h;
    }
}

void CanvasSize(int& w, int& h) { w = canvasW, h = canvasH; }

Window& RealWindow() { return Instance(); }

}  // namespace plat
