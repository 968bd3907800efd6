#pragma once
// The graphics device on OpenGL 3.3 core or OpenGL ES 3.0 (WebGL 2): one shader pair standing in for
// the fixed-function pipeline. A surface (an SDL window, a browser canvas) supplies the context, the
// drawable and the swap.
#include <vector>

#include <glm/mat4x4.hpp>

#include "platform/gfx/gfx.h"
#include "platform/gfx/gl_api.h"

namespace plat {

class GlDevice : public Gfx {
public:
    bool CreateDevice(Window& window, bool windowed, int width, int height) override;
    bool ResetDevice(bool windowed, int width, int height) override;
    void ReleaseDevice() override;
    bool HasDevice() const override { return hasContext_; }

    bool SetDepthTest(bool on) override;
    void SetStandingState() override;
    void SetTextureFiltering() override;
    void Clear() override;
    void Present() override;
    int SetSamples(int samples) override;

    void SetTransform(TransformKind kind, const glm::mat4& m) override;
    void SetCullClockwise(bool on) override;
    void SetRepeat(int times) override { repeat_ = times; }
    void SetMipmapping(bool on) override;
    void SetBlending(bool on) override;

    bool SoftwareRasteriser() override { return software_; }
    void SetGlowLayer(bool on) override;
    void AddGlowLayer(float x0, float y0, float x1, float y1) override;

    TextureId TextureFromFile(const unsigned char* data, size_t size) override;
    TextureId CreateTexture(int width, int height) override;
    unsigned char* LockTexture(TextureId tex, int& pitch) override;
    void UnlockTexture(TextureId tex) override;
    void BindTexture(TextureId tex) override;

    void DrawIndexed(const TexturedVertex* vertices, int vertexCount, const uint16_t* indices,
                     int triangleCount) override;
    void Draw(Primitive prim, const TexturedVertex* vertices, int primitiveCount) override;
    void Draw(Primitive prim, const ColourVertex* vertices, int primitiveCount) override;

    void BackBufferSize(int& width, int& height) override;
    bool ReadBackBuffer(unsigned char* rgba, int width, int height) override;
    void WindowPictureSize(int& width, int& height) override;
    bool ReadWindowPicture(unsigned char* rgba, int width, int height) override;

protected:
    // "#version 330 core" or "#version 300 es" and its precision.
    explicit GlDevice(const char* shaderHeader, bool embedded) : shaderHeader_(shaderHeader), es_(embedded) {}

    virtual bool MakeContext() = 0;
    virtual void DropContext() = 0;
    // Full screen or windowed, before the picture is (re)built.
    virtual bool ApplyWindowMode(bool windowed) = 0;
    virtual void DrawableSize(int& w, int& h) = 0;
    virtual void Swap() = 0;
    // The drawable has a new size: a driver that learns it only at the next swap is told now, so the
    // first frame at the new size is drawn at it.
    virtual void DrawableResized() {}
    // Drawing straight into a drawable of the picture's size saves the copy; a surface whose drawable
    // does not keep its pixels between swaps says no.
    virtual bool DirectDrawingAllowed() const { return true; }
    // The renderer's own name, for telling a software rasteriser.
    virtual const char* RendererName();
    // Clears and draws do nothing until the next present, whose picture would never be seen.
    void DrawNothingUntilPresent() { hidden_ = true; }
    // The last picture shown went through the scaling pass (a fixed resolution in a window of another size).
    bool LastPresentScaled() const { return scaled_; }

private:
    struct Texture {
        GLuint name = 0;
        int width = 0, height = 0;
        std::vector<unsigned char> staging;  // lockable textures only
        std::vector<unsigned char> upload;   // the staging texels in R, G, B, A order, where BGRA cannot be sent
    };
    struct Pipeline {
        GLuint program = 0;
        GLint wvp = -1, textured = -1, repeat = -1, lodBias = -1;
        float bias = 0.0f;
    };

    Texture* Find(TextureId id);
    bool BuildPicture(int width, int height);
    bool BuildOffscreen(int width, int height);
    bool Storage(GLuint framebuffer, GLuint renderbuffer, int samples, int width, int height);
    void TargetSize(int drawableW, int drawableH, int& w, int& h) const;
    bool WantsDirect(int drawableW, int drawableH) const;
    bool ChooseTarget();
    void BindTarget();
    void KeepTarget();
    void RestartPicture();
    GLuint ResolvedPicture();
    void ComposeWindow();
    bool ReadRows(unsigned char* rgba, int x, int y, int width, int height);
    void BuildPipeline();
    GLuint Link(const char* vertex, const char* fragment);
    GLuint Compile(GLenum kind, const char* source);
    void Prepare(bool texturedFormat);
    bool BuildGlowLayer();
    void CompositeGlow();

    const char* shaderHeader_;
    bool es_;
    bool hasContext_ = false;
    bool hidden_ = false;
    GLuint texturedVao_ = 0, texturedVbo_ = 0, indexBuffer_ = 0, colourVao_ = 0, colourVbo_ = 0;
    GLuint sampler_ = 0;
    // The frame is drawn into the target (the window's own buffer when direct, else an offscreen one,
    // multisampled when smoothing) over the picture's rectangle; native follows the drawable's size.
    GLuint picture_ = 0, pictureColour_ = 0;
    GLuint resolved_ = 0, resolvedColour_ = 0;  // a multisampled target resolved, to show or read
    bool direct_ = false;
    bool native_ = false;
    bool scaled_ = false;
    int fixedW_ = 0, fixedH_ = 0;
    int samples_ = 0, maxSamples_ = 0;
    int targetW_ = 0, targetH_ = 0;
    int offscreenW_ = 0, offscreenH_ = 0, offscreenSamples_ = -1;  // what the offscreen target holds
    int viewX_ = 0, viewY_ = 0, pictureW_ = 0, pictureH_ = 0;
    float lodBias_ = 0.0f;  // mip levels, from the picture's height
    Pipeline pipelines_[2];  // plain, repeated
    Pipeline* pipeline_ = nullptr;
    GLuint composite_ = 0;  // adds the glow layer
    GLint compositeWvp_ = -1, compositeScale_ = -1, compositeOrigin_ = -1;
    GLuint glow_ = 0, glowColour_ = 0;
    int glowW_ = 0, glowH_ = 0;
    bool glowOn_ = false, glowLit_ = false;
    bool pictureClear_ = false;  // cleared, nothing drawn since
    bool glowPending_ = false;   // the layer is still to go into the picture
    float glowRect_[4] = {};
    glm::mat4 glowWvp_{1.0f};
    bool software_ = false;
    int repeat_ = 1;
    glm::mat4 world_{1.0f}, view_{1.0f}, projection_{1.0f};
    TextureId bound_ = 0;
    std::vector<Texture> textures_;
};

}  // namespace plat
