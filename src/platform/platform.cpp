#include "platform/platform.h"

#include "platform/headless.h"
#include "platform/real.h"

namespace plat {

namespace {
Window* gWindow = nullptr;
Clock* gClock = nullptr;
Gfx* gGfx = nullptr;
InputDevice* gInput = nullptr;
SoundLib* gSound = nullptr;
Dialogs* gDialogs = nullptr;

// The device in use for everything but drawing.
class DiscardingGfx : public Gfx {
public:
    Gfx* to = nullptr;
    bool CurrentDisplayMode(DisplayMode& mode) override { return to->CurrentDisplayMode(mode); }
    bool CreateDevice(Window& window, bool windowed, int width, int height) override {
        return to->CreateDevice(window, windowed, width, height);
    }
    bool ResetDevice(bool windowed, int width, int height) override { return to->ResetDevice(windowed, width, height); }
    void ReleaseDevice() override { to->ReleaseDevice(); }
    bool HasDevice() const override { return to->HasDevice(); }
    bool SetDepthTest(bool on) override { return to->SetDepthTest(on); }
    void SetStandingState() override { to->SetStandingState(); }
    void SetTextureFiltering() override { to->SetTextureFiltering(); }
    void Clear() override {}
    void Present() override {}
    bool SetSwapInterval(int interval) override { return to->SetSwapInterval(interval); }
    int SetSamples(int samples) override { return to->SetSamples(samples); }
    void SetTransform(TransformKind kind, const glm::mat4& m) override { to->SetTransform(kind, m); }
    void SetCullClockwise(bool on) override { to->SetCullClockwise(on); }
    void SetBlending(bool on) override { to->SetBlending(on); }
    void SetRepeat(int times) override { to->SetRepeat(times); }
    void SetMipmapping(bool on) override { to->SetMipmapping(on); }
    bool SoftwareRasteriser() override { return to->SoftwareRasteriser(); }
    void SetGlowLayer(bool on) override { to->SetGlowLayer(on); }
    void AddGlowLayer(float, float, float, float) override {}
    TextureId TextureFromFile(const unsigned char* data, size_t size) override { return to->TextureFromFile(data, size); }
    TextureId CreateTexture(int width, int height) override { return to->CreateTexture(width, height); }
    unsigned char* LockTexture(TextureId tex, int& pitch) override { return to->LockTexture(tex, pitch); }
    void UnlockTexture(TextureId tex) override { to->UnlockTexture(tex); }
    void BindTexture(TextureId tex) override { to->BindTexture(tex); }
    void DrawIndexed(const TexturedVertex*, int, const uint16_t*, int) override {}
    void Draw(Primitive, const TexturedVertex*, int) override {}
    void Draw(Primitive, const ColourVertex*, int) override {}
    void BackBufferSize(int& width, int& height) override { to->BackBufferSize(width, height); }
    bool ReadBackBuffer(unsigned char* rgba, int width, int height) override { return to->ReadBackBuffer(rgba, width, height); }
    void WindowPictureSize(int& width, int& height) override { to->WindowPictureSize(width, height); }
    bool ReadWindowPicture(unsigned char* rgba, int width, int height) override {
        return to->ReadWindowPicture(rgba, width, height);
    }
};
DiscardingGfx gDiscarding;

}  // namespace

Headless& headless() {
    static Headless h;
    return h;
}

void Headless::Reset() {
    window.Reset();
    clock.Reset();
    gfx.Reset();
    input.Reset();
    sound.Reset();
    dialogs.Reset();
}

Window& window() { return *gWindow; }
Clock& clock() { return *gClock; }
Gfx& gfx() { return *gGfx; }
InputDevice& input() { return *gInput; }
SoundLib& sound() { return *gSound; }
Dialogs& dialogs() { return *gDialogs; }

void UseRealPlatform() {
    gWindow = &RealWindow();
    gClock = &RealClock();
    gGfx = &RealGfx();
    gInput = &RealInput();
    gSound = &RealSound();
    gDialogs = &RealDialogs();
}

void UseHeadlessPlatform() {
    Headless& h = headless();
    gWindow = &h.window;
    gClock = &h.clock;
    gGfx = &h.gfx;
    gInput = &h.input;
    gSound = &h.sound;
    gDialogs = &h.dialogs;
}

void UseRealGraphicsOnly() {
    UseHeadlessPlatform();
    gWindow = &RealWindow();
    gGfx = &RealGfx();
}

void DrawThroughOpenGL(bool real) { gGfx = real ? &RealGfx() : static_cast<Gfx*>(&headless().gfx); }

void DiscardDrawing(bool on) {
    if (on == (gGfx == &gDiscarding)) return;
    if (on) gDiscarding.to = gGfx;
    gGfx = on ? &gDiscarding : gDiscarding.to;
}

void UseRealPlatformWithScriptedInput() {
    UseRealPlatform();
    gInput = &headless().input;
}

void UseRealDialogsOnly() {
    UseHeadlessPlatform();
    gDialogs = &RealDialogs();
}

}  // namespace plat
