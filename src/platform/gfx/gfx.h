#pragma once
// The graphics device: the few operations the renderer needs, in the shape of a fixed-function device.
#include <cstddef>
#include <cstdint>
#include <glm/mat4x4.hpp>

namespace plat {

class Window;

// Colours are 32-bit ARGB words (in memory: B, G, R, A).
struct ColourVertex {
    float x, y, z;
    uint32_t colour;
};
struct TexturedVertex {
    float x, y, z;
    uint32_t colour;
    float u, v;
};
static_assert(sizeof(ColourVertex) == 16);
static_assert(sizeof(TexturedVertex) == 24);

using TextureId = int;  // 0 = no texture
enum class TransformKind { World, View, Projection };
enum class Primitive { TriangleList, TriangleStrip };

struct DisplayMode {
    int width = 0, height = 0, refreshRate = 0;
};

class Gfx {
public:
    virtual ~Gfx() = default;
    virtual bool CurrentDisplayMode(DisplayMode& mode) = 0;
    // The game draws into a picture of width x height whatever the window's size; presenting scales it
    // to the largest 4:3 rectangle that fits the window, centred between black bars. A size of 0 x 0 is
    // native: the picture is that rectangle itself, in the drawable's pixels, drawn with no scaling and
    // following the window as it changes. Full screen covers the desktop at its own resolution, never
    // changing the display mode.
    virtual bool CreateDevice(Window& window, bool windowed, int width, int height) = 0;
    virtual bool ResetDevice(bool windowed, int width, int height) = 0;
    virtual void ReleaseDevice() = 0;
    virtual bool HasDevice() const = 0;

    virtual bool SetDepthTest(bool on) = 0;
    // Unlit, no culling, no depth test, blending source-alpha / one.
    virtual void SetStandingState() = 0;
    // Bilinear magnification and minification with linear mip filtering.
    virtual void SetTextureFiltering() = 0;

    virtual void Clear() = 0;  // colour 0 with zero alpha, depth 1, stencil 0
    virtual void Present() = 0;
    // 0 presents at once; n waits for n vertical blanks. False when the display refuses it.
    virtual bool SetSwapInterval(int interval) = 0;
    // Multisampled drawing, `samples` per pixel (0 or 1: none), as many as the device offers up to that.
    // Returns the number in use.
    virtual int SetSamples(int samples) = 0;

    virtual void SetTransform(TransformKind kind, const glm::mat4& m) = 0;
    // While on, triangles that look clockwise on the monitor are not drawn.
    virtual void SetCullClockwise(bool on) = 0;
    virtual void SetBlending(bool on) = 0;
    // The draws that follow add their colour `times` over, as that many identical draws would under
    // additive blending, each contribution rounded to whole levels as the blender rounds it. 1 = plain.
    virtual void SetRepeat(int times) = 0;
    // Off: textures are sampled from their full-size image only, which is the same picture for anything
    // drawn no smaller than its texture, for less work. On by default.
    virtual void SetMipmapping(bool on) = 0;

    // True where the pictures are rasterised by the CPU (a software renderer), which may call for a
    // lighter picture.
    virtual bool SoftwareRasteriser() = 0;
    // On: the draws that follow go into the glow layer, a picture of half the width and height, for soft
    // light whose fine detail nobody would miss. Off: into the picture.
    virtual void SetGlowLayer(bool on) = 0;
    // Scales the glow layer up and adds it into the picture, over the screen rectangle that the world
    // rectangle (x0, y0)-(x1, y1) covers under the current transforms; then empties the layer.
    virtual void AddGlowLayer(float x0, float y0, float x1, float y1) = 0;

    // An image file (BMP or TGA) held in memory, with a full mip chain. 0 on failure.
    virtual TextureId TextureFromFile(const unsigned char* data, size_t size) = 0;
    // One level, 32-bit, the fourth byte ignored. 0 on failure.
    virtual TextureId CreateTexture(int width, int height) = 0;
    // Bytes per texel: 4, in B, G, R, X order.
    virtual unsigned char* LockTexture(TextureId tex, int& pitch) = 0;
    virtual void UnlockTexture(TextureId tex) = 0;
    virtual void BindTexture(TextureId tex) = 0;

    virtual void DrawIndexed(const TexturedVertex* vertices, int vertexCount, const uint16_t* indices,
                             int triangleCount) = 0;
    virtual void Draw(Primitive prim, const TexturedVertex* vertices, int primitiveCount) = 0;
    virtual void Draw(Primitive prim, const ColourVertex* vertices, int primitiveCount) = 0;

    // The game's own picture (the back buffer) and its size.
    virtual void BackBufferSize(int& width, int& height) = 0;
    // The back buffer as RGBA rows, top row first; for screenshots. False without pixels.
    virtual bool ReadBackBuffer(unsigned char* rgba, int width, int height) = 0;
    // What the window shows once the picture is scaled into it: its drawable size, then its pixels as
    // RGBA rows, top row first. False without pixels.
    virtual void WindowPictureSize(int& width, int& height) = 0;
    virtual bool ReadWindowPicture(unsigned char* rgba, int width, int height) = 0;
};

// The largest 4:3 rectangle inside w x h, rounded to the nearer pixel: where the picture goes.
inline void FitFourByThree(int w, int h, int& fitW, int& fitH) {
    fitW = w, fitH = h;
    if (static_cast<long>(w) * 3 > static_cast<long>(h) * 4) fitW = static_cast<int>((static_cast<long>(h) * 4 + 1) / 3);
    else fitH = static_cast<int>((static_cast<long>(w) * 3 + 2) / 4);
}

// A renderer's name (GL_RENDERER, or WebGL's unmasked renderer) that is a software rasteriser's: Mesa's
// llvmpipe and softpipe, Google's SwiftShader, also behind ANGLE.
bool IsSoftwareRenderer(const char* rendererName);

}  // namespace plat
