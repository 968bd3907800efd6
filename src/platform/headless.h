#pragma once
// Headless backends: nothing reaches a display or a sound device. Tests and the headless runner
// reach inside them to inject events, set key states, advance time and read what was drawn or played.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs/dialogs_headless.h"
#include "platform/net/net_headless.h"
#include "platform/platform.h"

namespace plat {

class HeadlessWindow : public Window {
public:
    bool Create(const char* title, int x, int y, int outerW, int outerH) override;
    void Place(int x, int y, int clientW, int clientH, bool topmost) override;
    void Show() override { shown = true; }
    void Destroy() override;
    bool Exists() const override { return created && !destroyed; }
    bool PollEvent(WindowEvent& ev) override;
    void Position(int& x, int& y) override { x = posX, y = posY; }
    void ClientSize(int& w, int& h) override { w = clientW, h = clientH; }
    void MoveCursorOffScreen() override { cursorHidden = true; }
    bool Minimised() const override { return minimised; }
    void MessageBox(const char* caption, const char* text, bool errorIcon) override;

    void Inject(const WindowEvent& ev);
    void Reset();

    bool failCreate = false;
    bool created = false, destroyed = false, shown = false, topmost = false, cursorHidden = false, minimised = false;
    std::string title;
    int posX = 0, posY = 0, clientW = 0, clientH = 0;
    std::vector<std::string> messageBoxes;  // "caption|text"
    bool echoMessageBoxes = true;           // also print them to stderr

private:
    std::vector<WindowEvent> queue_;
    size_t next_ = 0;
};

class FakeClock : public Clock {
public:
    uint64_t Frequency() override { return frequency; }
    uint64_t Counter() override;
    double Milliseconds() override;
    void Sleep(uint32_t microseconds) override;

    void Advance(uint64_t ticks) { now += ticks; }
    void Reset();

    uint64_t frequency = 1000000;  // 0 = no high-resolution counter
    uint64_t now = 0;              // ticks of `frequency` (microseconds when frequency is 0)
    uint64_t stepPerRead = 1;      // every read moves time on, so a polling loop always ends
    uint64_t reads = 0;
    uint64_t sleptUs = 0;
};

struct DrawCall {
    enum Kind { Indexed, TexturedList, TexturedStrip, ColourList, ColourStrip } kind;
    int vertices;
    int primitives;
    TextureId texture;
    bool blending;
    bool cullClockwise;
    glm::mat4 world;
    int repeat;  // counts as this many identical draws
    bool mipmapping;
    bool glowLayer;
};

class HeadlessGfx : public Gfx {
public:
    bool CurrentDisplayMode(DisplayMode& mode) override;
    bool CreateDevice(Window& window, bool windowed, int width, int height) override;
    bool ResetDevice(bool windowed, int width, int height) override;
    void ReleaseDevice() override { device = false; }
    bool HasDevice() const override { return device; }
    bool SetDepthTest(bool on) override;
    void SetStandingState() override;
    void SetTextureFiltering() override { filteringSet = true; }
    void Clear() override { ++clears; }
    void Present() override;
    bool SetSwapInterval(int interval) override;
    int SetSamples(int wanted) override { return samples = wanted > 1 ? wanted : 0; }
    void SetTransform(TransformKind kind, const glm::mat4& m) override;
    void SetCullClockwise(bool on) override { cullClockwise = on; }
    void SetBlending(bool on) override { blending = on; }
    void SetRepeat(int times) override { repeat = times; }
    void SetMipmapping(bool on) override { mipmapping = on; }
    bool SoftwareRasteriser() override { return software; }
    void SetGlowLayer(bool on) override { glowLayer = on; }
    void AddGlowLayer(float x0, float y0, float x1, float y1) override;
    TextureId TextureFromFile(const unsigned char* data, size_t size) override;
    TextureId CreateTexture(int width, int height) override;
    unsigned char* LockTexture(TextureId tex, int& pitch) override;
    void UnlockTexture(TextureId tex) override;
    void BindTexture(TextureId tex) override { bound = tex; }
    void DrawIndexed(const TexturedVertex* vertices, int vertexCount, const uint16_t* indices,
                     int triangleCount) override;
    void Draw(Primitive prim, const TexturedVertex* vertices, int primitiveCount) override;
    void Draw(Primitive prim, const ColourVertex* vertices, int primitiveCount) override;
    void BackBufferSize(int& w, int& h) override;
    bool ReadBackBuffer(unsigned char* rgba, int width, int height) override { return false; }
    void WindowPictureSize(int& w, int& h) override;
    bool ReadWindowPicture(unsigned char* rgba, int width, int height) override { return false; }

    void Reset();

    struct Texture {
        int width = 0, height = 0;
        std::vector<unsigned char> texels;  // decoded RGBA for files, BGRX for created textures
    };

    bool failCreate = false, failDisplayMode = false, failReset = false, failDepth = false;
    bool device = false, windowed = false, depthTest = false, filteringSet = false;
    bool blending = true, cullClockwise = false, standingState = false;
    int repeat = 1;
    bool mipmapping = true;
    bool software = false;  // a renderer that says it is a software rasteriser
    bool glowLayer = false;
    uint64_t glowAdds = 0;
    int width = 0, height = 0;  // 0 x 0: native, the window's 4:3 rectangle
    int samples = 0;
    Window* window = nullptr;
    int swapInterval = -1;     // as last set
    int maxSwapInterval = 1;  // a display that refuses to wait for more blanks
    DisplayMode desktop{1920, 1080, 60};
    TextureId bound = 0;
    uint64_t presents = 0, clears = 0, resets = 0;
    glm::mat4 world{1.0f}, view{1.0f}, projection{1.0f};
    bool cameraMoved = true;  // view or projection set since the last draw hashed
    std::vector<Texture> textures;  // index = id - 1
    // Called after each present; tests use it to let time pass as a display refresh would.
    std::function<void()> onPresent;
    // Draw calls since the last present (bounded: later calls are only counted).
    std::vector<DrawCall> calls;
    uint64_t drawCallsTotal = 0;
    static constexpr size_t kMaxRecordedCalls = 4096;
    // A running hash of everything drawn (vertices, indices, transform, texture, states), so a whole
    // game's pictures can be pinned without a GPU. Off unless asked for: it costs time.
    bool hashDrawing = false;
    uint64_t drawnHash = 0xcbf29ce484222325ull;

private:
    void Record(DrawCall::Kind kind, int vertices, int primitives);
    void HashBytes(const void* data, size_t bytes);
};

class HeadlessInput : public InputDevice {
public:
    bool Init() override { return !failInit; }
    bool CreateKeyboard() override { return !failKeyboard; }
    bool AcquireKeyboard() override { return true; }
    ReadResult ReadKeyboard(uint8_t state[256]) override;
    bool OpenJoystick() override { return joystickAttached; }
    ReadResult ReadJoystick(JoystickState& state) override;
    bool AcquireJoystick() override { return joystickAttached; }

    // An InputCode: key 0..255, 1000+n button n, 2000..2003 axis direction. Others are ignored.
    void Press(int code);
    void Release(int code);
    void Reset();

    bool failInit = false, failKeyboard = false;
    bool joystickAttached = false;  // plugging in and pulling out: the game notices on its next poll
    int lostReads = 0;  // this many coming reads report the keyboard lost
    uint8_t keys[256] = {};
    JoystickState joystick;
};

struct SoundCall {
    enum Kind { Init, MasterVolume, LoadSample, SampleVolume, PlaySample, OpenStream, StreamLoop, PlayStream,
                VoiceVolume, StopStream } kind;
    int a, b;
};

class HeadlessSound : public SoundLib {
public:
    bool Init(int mixRate, int channels) override;
    void SetMasterEffectVolume(int volume) override;
    int LoadSample(const unsigned char* data, size_t size) override;
    void SetSampleDefaultVolume(int sample, int volume) override;
    int PlaySample(int sample) override;
    int OpenStream(const unsigned char* data, size_t size) override;
    void SetStreamLooping(int stream, bool loop) override;
    int PlayStream(int stream) override;
    void SetVoiceVolume(int voice, int volume) override;
    void StopStream(int stream) override;

    void Reset();

    bool failInit = false;
    bool initialised = false;
    int samples = 0, streams = 0;
    int playingStream = -1;
    // Every call in order (bounded: beyond the cap only the counters below move on).
    std::vector<SoundCall> calls;
    static constexpr size_t kMaxRecordedCalls = 1 << 16;
    std::array<uint64_t, 64> samplePlays{};

private:
    void Record(SoundCall::Kind kind, int a, int b);
};

struct Headless {
    HeadlessWindow window;
    FakeClock clock;
    HeadlessGfx gfx;
    HeadlessInput input;
    HeadlessSound sound;
    HeadlessDialogs dialogs;
    HeadlessNet net;
    void Reset();
};

// The headless backends (always available, whichever set is in use).
Headless& headless();

}  // namespace plat
