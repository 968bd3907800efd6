#include "platform/gfx/gl_device.h"

#include <cstdio>
#include <cmath>
#include <cctype>
#include <cstring>
#include <string>

#include <algorithm>

#include <glm/gtc/type_ptr.hpp>

#include "platform/gfx/image_decode.h"

namespace plat {
namespace {

// Vertex colours arrive as their memory bytes B, G, R, A: OpenGL ES has no BGRA vertex format, so the
// shader puts them in order on both.
const char* kVertexShader = R"(
layout(location = 0) in vec3 inPos;
layout(location = 1) in vec4 inColour;
layout(location = 2) in vec2 inUv;
uniform mat4 wvp;
out vec4 colour;
out vec2 uv;
void main() {
    gl_Position = wvp * vec4(inPos, 1.0);
    colour = inColour.bgra;
    uv = inUv;
}
)";

// Textures are sampled as a picture of this many lines would sample them, whatever the picture's size:
// the glow of a line keeps its width in the world instead of thinning to a hairline at 4K.
constexpr float kTextureLines = 600.0f;

// Textured: texel x vertex colour, alpha from the texel. Untextured: the vertex colour and its alpha.
const char* kFragmentShader = R"(
in vec4 colour;
in vec2 uv;
uniform sampler2D tex;
uniform int textured;
uniform float lodBias;
out vec4 fragColour;
void main() {
    if (textured != 0) {
        vec4 t = texture(tex, uv, lodBias);
        fragColour = vec4(t.rgb * colour.rgb, t.a);
    } else {
        fragColour = colour;
    }
}
)";

// The same, repeated: what one draw would add (the colour in whole levels, weighted by its alpha as the
// blender weights it), `repeat` times over in a single pass. A shader of its own, so plain draws keep
// the simplest one.
const char* kRepeatedFragmentShader = R"(
in vec4 colour;
in vec2 uv;
uniform sampler2D tex;
uniform int textured;
uniform float repeat;
uniform float lodBias;
out vec4 fragColour;
void main() {
    vec4 c = colour;
    if (textured != 0) {
        vec4 t = texture(tex, uv, lodBias);
        c = vec4(t.rgb * colour.rgb, t.a);
    }
    vec3 level = floor(clamp(c.rgb, 0.0, 1.0) * 255.0 + 0.5);
    float weight = floor(clamp(c.a, 0.0, 1.0) * 255.0 + 0.5);
    level = floor(level * weight / 255.0 + 0.5);
    fragColour = vec4(min(level * repeat, vec3(255.0)) / 255.0, 1.0);
}
)";

// The glow layer scaled up into the picture over a rectangle of the world. The layer spans the
// picture's screen at half its size, so a pixel's place on screen is where it reads the layer.
const char* kCompositeVertexShader = R"(
layout(location = 0) in vec3 inPos;
uniform mat4 wvp;
void main() {
    gl_Position = wvp * vec4(inPos, 1.0);
}
)";

const char* kCompositeFragmentShader = R"(
uniform sampler2D tex;
uniform vec2 scale;
uniform vec2 origin;
out vec4 fragColour;
void main() {
    fragColour = vec4(texture(tex, (gl_FragCoord.xy - origin) * scale).rgb, 1.0);
}
)";

}  // namespace

bool IsSoftwareRenderer(const char* name) {
    if (!name) return false;
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* word : {"llvmpipe", "softpipe", "swiftshader", "software rasterizer"})
        if (lower.find(word) != std::string::npos) return true;
    return false;
}

const char* GlDevice::RendererName() {
    return reinterpret_cast<const char*>(glGetString(GL_RENDERER));
}

GLuint GlDevice::Compile(GLenum kind, const char* source) {
    GLuint s = glCreateShader(kind);
    const char* parts[] = {shaderHeader_, source};
    glShaderSource(s, 2, parts, nullptr);
    glCompileShader(s);
    GLint ok = 0;
    glGetShaderiv(s, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024];
        glGetShaderInfoLog(s, sizeof log, nullptr, log);
        std::fprintf(stderr, "shader: %s\n", log);
    }
    return s;
}

bool GlDevice::CreateDevice(Window&, bool windowed, int width, int height) {
    if (!MakeContext()) return false;
    hasContext_ = true;
    software_ = IsSoftwareRenderer(RendererName());
    maxSamples_ = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples_);
    BuildPipeline();
    return ResetDevice(windowed, width, height);
}

// Full screen covers the desktop at its own resolution: no mode change to fail or to flicker through.
bool GlDevice::ResetDevice(bool windowed, int width, int height) {
    if (!hasContext_) return false;
    if (!ApplyWindowMode(windowed)) return false;
    return BuildPicture(width, height);
}

void GlDevice::ReleaseDevice() {
    if (!hasContext_) return;
    for (Texture& t : textures_)
        if (t.name) glDeleteTextures(1, &t.name);
    textures_.clear();
    DropContext();
    hasContext_ = false;
    picture_ = pictureColour_ = resolved_ = resolvedColour_ = 0;
    pictureW_ = pictureH_ = targetW_ = targetH_ = 0;
    offscreenW_ = offscreenH_ = 0, offscreenSamples_ = -1;
    glow_ = glowColour_ = 0;
    glowW_ = glowH_ = 0;
    glowOn_ = glowLit_ = glowPending_ = false;
}

bool GlDevice::SetDepthTest(bool on) {
    if (!hasContext_) return false;
    if (on) glEnable(GL_DEPTH_TEST);
    else glDisable(GL_DEPTH_TEST);
    return true;
}

void GlDevice::SetStandingState() {
    if (!hasContext_) return;
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

void GlDevice::SetTextureFiltering() {
    if (!hasContext_) return;
    glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindSampler(0, sampler_);
}

void GlDevice::Clear() {
    if (!hasContext_ || hidden_) return;
    KeepTarget();
    RestartPicture();
}

// The target starts clear; whatever glow it held belonged to the picture just cleared.
void GlDevice::RestartPicture() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    pictureClear_ = true;
    glowPending_ = glowLit_ = false;
}

void GlDevice::Present() {
    if (!hasContext_) return;
    if (hidden_) {
        hidden_ = false;
        Swap();
        return;
    }
    CompositeGlow();
    scaled_ = false;
    if (!direct_) ComposeWindow();
    Swap();
    ChooseTarget();
}

int GlDevice::SetSamples(int wanted) {
    int n = std::min(wanted, maxSamples_);
    if (n < 2) n = 0;
    if (n == samples_) return samples_;
    samples_ = n;
    if (hasContext_ && targetW_ > 0) {
        ChooseTarget();
        RestartPicture();
    }
    return samples_;
}

void GlDevice::SetTransform(TransformKind kind, const glm::mat4& m) {
    switch (kind) {
        case TransformKind::World: world_ = m; break;
        case TransformKind::View: view_ = m; break;
        case TransformKind::Projection: projection_ = m; break;
    }
}

// Normalised device space keeps the monitor's sense of turning, so screen-clockwise = back face.
void GlDevice::SetCullClockwise(bool on) {
    if (!hasContext_) return;
    if (on) {
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
        glCullFace(GL_BACK);
    } else {
        glDisable(GL_CULL_FACE);
    }
}

void GlDevice::SetMipmapping(bool on) {
    if (hasContext_) glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, on ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
}

void GlDevice::SetBlending(bool on) {
    if (!hasContext_) return;
    if (on) glEnable(GL_BLEND);
    else glDisable(GL_BLEND);
}

TextureId GlDevice::TextureFromFile(const unsigned char* data, size_t size) {
    if (!hasContext_) return 0;
    std::vector<unsigned char> rgba;
    int w = 0, h = 0;
    if (!DecodeImage(data, size, rgba, w, h)) return 0;
    Texture t;
    t.width = w, t.height = h;
    glGenTextures(1, &t.name);
    glBindTexture(GL_TEXTURE_2D, t.name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    textures_.push_back(std::move(t));
    return static_cast<TextureId>(textures_.size());
}

// OpenGL ES takes neither BGRA texels nor an RGB texture from four bytes: there the texels are put in
// order, opaque, on unlocking.
TextureId GlDevice::CreateTexture(int width, int height) {
    if (!hasContext_ || width <= 0 || height <= 0) return 0;
    Texture t;
    t.width = width, t.height = height;
    t.staging.assign(static_cast<size_t>(width) * height * 4, 0);
    glGenTextures(1, &t.name);
    glBindTexture(GL_TEXTURE_2D, t.name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);  // one level: complete without mips
    if (es_) {
        t.upload.assign(t.staging.size(), 255);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, t.upload.data());
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, t.staging.data());
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    textures_.push_back(std::move(t));
    return static_cast<TextureId>(textures_.size());
}

unsigned char* GlDevice::LockTexture(TextureId id, int& pitch) {
    Texture* t = Find(id);
    if (!t || t->staging.empty()) return nullptr;
    pitch = t->width * 4;
    return t->staging.data();
}

void GlDevice::UnlockTexture(TextureId id) {
    Texture* t = Find(id);
    if (!t || t->staging.empty()) return;
    glBindTexture(GL_TEXTURE_2D, t->name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (es_) {
        const unsigned char* s = t->staging.data();
        unsigned char* u = t->upload.data();
        for (size_t i = 0; i < t->staging.size(); i += 4) {
            u[i] = s[i + 2];
            u[i + 1] = s[i + 1];
            u[i + 2] = s[i];
            u[i + 3] = 255;
        }
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, t->width, t->height, GL_RGBA, GL_UNSIGNED_BYTE, u);
    } else {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, t->width, t->height, GL_BGRA, GL_UNSIGNED_BYTE, t->staging.data());
    }
    glBindTexture(GL_TEXTURE_2D, bound_ ? Find(bound_)->name : 0);
}

void GlDevice::BindTexture(TextureId id) {
    Texture* t = Find(id);
    bound_ = t ? id : 0;
    if (hasContext_) glBindTexture(GL_TEXTURE_2D, t ? t->name : 0);
}

void GlDevice::DrawIndexed(const TexturedVertex* vertices, int vertexCount, const uint16_t* indices,
                           int triangleCount) {
    if (!hasContext_ || hidden_ || vertexCount <= 0 || triangleCount <= 0) return;
    Prepare(true);
    glBindVertexArray(texturedVao_);
    glBindBuffer(GL_ARRAY_BUFFER, texturedVbo_);
    glBufferData(GL_ARRAY_BUFFER, vertexCount * sizeof(TexturedVertex), vertices, GL_STREAM_DRAW);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, triangleCount * 3 * sizeof(uint16_t), indices, GL_STREAM_DRAW);
    glDrawElements(GL_TRIANGLES, triangleCount * 3, GL_UNSIGNED_SHORT, nullptr);
}

void GlDevice::Draw(Primitive prim, const TexturedVertex* vertices, int count) {
    if (!hasContext_ || hidden_ || count <= 0) return;
    int n = prim == Primitive::TriangleList ? count * 3 : count + 2;
    Prepare(true);
    glBindVertexArray(texturedVao_);
    glBindBuffer(GL_ARRAY_BUFFER, texturedVbo_);
    glBufferData(GL_ARRAY_BUFFER, n * sizeof(TexturedVertex), vertices, GL_STREAM_DRAW);
    glDrawArrays(prim == Primitive::TriangleList ? GL_TRIANGLES : GL_TRIANGLE_STRIP, 0, n);
}

void GlDevice::Draw(Primitive prim, const ColourVertex* vertices, int count) {
    if (!hasContext_ || hidden_ || count <= 0) return;
    int n = prim == Primitive::TriangleList ? count * 3 : count + 2;
    Prepare(false);
    glBindVertexArray(colourVao_);
    glBindBuffer(GL_ARRAY_BUFFER, colourVbo_);
    glBufferData(GL_ARRAY_BUFFER, n * sizeof(ColourVertex), vertices, GL_STREAM_DRAW);
    glDrawArrays(prim == Primitive::TriangleList ? GL_TRIANGLES : GL_TRIANGLE_STRIP, 0, n);
}

void GlDevice::BackBufferSize(int& width, int& height) {
    width = pictureW_, height = pictureH_;
}

bool GlDevice::ReadBackBuffer(unsigned char* rgba, int width, int height) {
    if (!hasContext_) return false;
    CompositeGlow();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, direct_ ? 0 : ResolvedPicture());
    glReadBuffer(direct_ ? GL_BACK : GL_COLOR_ATTACHMENT0);
    return ReadRows(rgba, viewX_, viewY_, width, height);
}

void GlDevice::WindowPictureSize(int& width, int& height) {
    width = height = 0;
    if (hasContext_) DrawableSize(width, height);
}

bool GlDevice::ReadWindowPicture(unsigned char* rgba, int width, int height) {
    if (!hasContext_) return false;
    CompositeGlow();
    if (!direct_) ComposeWindow();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    bool ok = ReadRows(rgba, 0, 0, width, height);
    ChooseTarget();
    return ok;
}

GlDevice::Texture* GlDevice::Find(TextureId id) {
    if (id <= 0 || static_cast<size_t>(id) > textures_.size()) return nullptr;
    return &textures_[id - 1];
}

// 0 x 0 is native: the target is the drawable, the picture its 4:3 rectangle.
bool GlDevice::BuildPicture(int width, int height) {
    if (width < 0 || height < 0 || (width == 0) != (height == 0)) return false;
    native_ = width == 0;
    fixedW_ = width, fixedH_ = height;
    glowOn_ = glowLit_ = glowPending_ = false;
    return ChooseTarget();
}

bool GlDevice::Storage(GLuint framebuffer, GLuint renderbuffer, int samples, int width, int height) {
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    if (samples > 0) glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, width, height);
    else glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffer);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

// Multisampled, the target is resolved into a plain one of its size before it is shown or read: a
// resolve straight into the window would have to match the window's pixel format. Samples the device
// cannot store fall back to none.
bool GlDevice::BuildOffscreen(int width, int height) {
    if (offscreenW_ == width && offscreenH_ == height && offscreenSamples_ == samples_) return true;
    if (!picture_) {
        glGenFramebuffers(1, &picture_);
        glGenRenderbuffers(1, &pictureColour_);
    }
    bool ok = Storage(picture_, pictureColour_, samples_, width, height);
    if (ok && samples_ > 0) {
        if (!resolved_) {
            glGenFramebuffers(1, &resolved_);
            glGenRenderbuffers(1, &resolvedColour_);
        }
        ok = Storage(resolved_, resolvedColour_, 0, width, height);
    }
    if (!ok && samples_ > 0) {
        samples_ = 0;
        return BuildOffscreen(width, height);
    }
    offscreenW_ = ok ? width : 0, offscreenH_ = ok ? height : 0, offscreenSamples_ = ok ? samples_ : -1;
    return ok;
}

void GlDevice::TargetSize(int drawableW, int drawableH, int& w, int& h) const {
    w = native_ ? std::max(drawableW, 1) : fixedW_;
    h = native_ ? std::max(drawableH, 1) : fixedH_;
}

// A window exactly the target's size is drawn into directly: no copy when presenting.
bool GlDevice::WantsDirect(int drawableW, int drawableH) const {
    int w = 0, h = 0;
    TargetSize(drawableW, drawableH, w, h);
    return DirectDrawingAllowed() && samples_ == 0 && w == drawableW && h == drawableH;
}

// After each present and whenever the window or the options change: the target for the next frame.
bool GlDevice::ChooseTarget() {
    int dw = 0, dh = 0, oldW = targetW_, oldH = targetH_;
    DrawableSize(dw, dh);
    TargetSize(dw, dh, targetW_, targetH_);
    if (native_ && oldW > 0 && (targetW_ != oldW || targetH_ != oldH)) DrawableResized();
    if (native_) FitFourByThree(targetW_, targetH_, pictureW_, pictureH_);
    else pictureW_ = targetW_, pictureH_ = targetH_;
    viewX_ = (targetW_ - pictureW_) / 2, viewY_ = (targetH_ - pictureH_) / 2;
    lodBias_ = std::log2(static_cast<float>(pictureH_) / kTextureLines);
    direct_ = WantsDirect(dw, dh);
    bool ok = direct_ || BuildOffscreen(targetW_, targetH_);
    if (!ok) direct_ = false;
    BindTarget();
    return ok;
}

// Setting the viewport is also what makes some drivers (Mesa on X11) notice the window's new size.
void GlDevice::BindTarget() {
    glBindFramebuffer(GL_FRAMEBUFFER, direct_ ? 0 : picture_);
    glViewport(viewX_, viewY_, pictureW_, pictureH_);
}

// Half the picture's size, rounded up: each of its pixels stands for two by two of the picture's.
bool GlDevice::BuildGlowLayer() {
    int w = (pictureW_ + 1) / 2, h = (pictureH_ + 1) / 2;
    if (glow_ && glowW_ == w && glowH_ == h) return true;
    if (!glow_) {
        glGenFramebuffers(1, &glow_);
        glGenTextures(1, &glowColour_);
    }
    glBindTexture(GL_TEXTURE_2D, glowColour_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, bound_ ? Find(bound_)->name : 0);
    glBindFramebuffer(GL_FRAMEBUFFER, glow_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, glowColour_, 0);
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glowW_ = complete ? w : 0, glowH_ = complete ? h : 0;
    BindTarget();
    return complete;
}

// A layer that cannot be made leaves everything in the picture: the full picture, at its full cost.
void GlDevice::SetGlowLayer(bool on) {
    if (!hasContext_ || on == glowOn_) return;
    if (on) {
        if (!BuildGlowLayer()) return;
        glBindFramebuffer(GL_FRAMEBUFFER, glow_);
        glViewport(0, 0, glowW_, glowH_);
        if (!glowLit_) {
            glClearColor(0, 0, 0, 0);
            glClear(GL_COLOR_BUFFER_BIT);
            glowLit_ = true;
        }
        glowOn_ = true;
    } else {
        glowOn_ = false;
        BindTarget();
    }
}

// Onto a picture with nothing in it yet the layer is copied at once, which a software rasteriser does
// for a fraction of the cost of adding it. Otherwise (frames that fast-forward, drawn over one another)
// the layer keeps adding up and goes in once, when the picture is presented or read.
void GlDevice::AddGlowLayer(float x0, float y0, float x1, float y1) {
    SetGlowLayer(false);
    if (!hasContext_ || !glowLit_ || hidden_) return;
    glowRect_[0] = x0, glowRect_[1] = y0, glowRect_[2] = x1, glowRect_[3] = y1;
    glowWvp_ = projection_ * view_ * world_;
    glowPending_ = true;
    if (pictureClear_) CompositeGlow();
}

void GlDevice::CompositeGlow() {
    if (!glowPending_) return;
    glowPending_ = glowLit_ = false;
    KeepTarget();
    const float x0 = glowRect_[0], y0 = glowRect_[1], x1 = glowRect_[2], y1 = glowRect_[3];
    TexturedVertex quad[4] = {{x0, y0, 0.0f, 0, 0.0f, 0.0f}, {x1, y0, 0.0f, 0, 0.0f, 0.0f},
                              {x0, y1, 0.0f, 0, 0.0f, 0.0f}, {x1, y1, 0.0f, 0, 0.0f, 0.0f}};
    glUseProgram(composite_);
    glUniformMatrix4fv(compositeWvp_, 1, GL_FALSE, glm::value_ptr(glowWvp_));
    glUniform2f(compositeScale_, 1.0f / static_cast<float>(pictureW_), 1.0f / static_cast<float>(pictureH_));
    glUniform2f(compositeOrigin_, static_cast<float>(viewX_), static_cast<float>(viewY_));
    glBindTexture(GL_TEXTURE_2D, glowColour_);
    glBindSampler(0, 0);
    if (pictureClear_) glDisable(GL_BLEND);
    else glBlendFunc(GL_ONE, GL_ONE);
    glBindVertexArray(texturedVao_);
    glBindBuffer(GL_ARRAY_BUFFER, texturedVbo_);
    glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    pictureClear_ = false;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindSampler(0, sampler_);
    glBindTexture(GL_TEXTURE_2D, bound_ ? Find(bound_)->name : 0);
    glUseProgram(pipeline_->program);
}

// Before drawing: a window resized since the target was chosen gets a target that fits it, started
// clear, so no frame is drawn at one size and shown at another.
void GlDevice::KeepTarget() {
    if (glowOn_) return;
    int dw = 0, dh = 0, w = 0, h = 0;
    DrawableSize(dw, dh);
    TargetSize(dw, dh, w, h);
    if (w == targetW_ && h == targetH_ && WantsDirect(dw, dh) == direct_) return;
    ChooseTarget();
    RestartPicture();
}

GLuint GlDevice::ResolvedPicture() {
    if (samples_ == 0) return picture_;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, picture_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolved_);
    glBlitFramebuffer(0, 0, targetW_, targetH_, 0, 0, targetW_, targetH_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, picture_);
    return resolved_;
}

// The offscreen target into the window's back buffer: pixel for pixel where it is the window's size
// (native), else the picture scaled to the largest 4:3 rectangle that fits, centred, black around it.
// Drawable pixels, not window points, so high-DPI displays get every pixel.
void GlDevice::ComposeWindow() {
    int w = 0, h = 0;
    DrawableSize(w, h);
    GLuint source = ResolvedPicture();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glViewport(0, 0, w, h);
    if (w == targetW_ && h == targetH_) {
        glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        return;
    }
    int fitW = 0, fitH = 0;
    FitFourByThree(w, h, fitW, fitH);
    int x = (w - fitW) / 2, y = (h - fitH) / 2;
    scaled_ = true;
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glBlitFramebuffer(viewX_, viewY_, viewX_ + pictureW_, viewY_ + pictureH_, x, y, x + fitW, y + fitH,
                      GL_COLOR_BUFFER_BIT, GL_LINEAR);
}

// Rows top first, every pixel opaque: the picture has no use for the alpha it accumulates.
bool GlDevice::ReadRows(unsigned char* rgba, int x, int y0, int width, int height) {
    std::vector<unsigned char> rows(static_cast<size_t>(width) * height * 4);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    for (int y = 0; y < height; ++y)  // OpenGL reads bottom-up
        std::memcpy(rgba + static_cast<size_t>(y) * width * 4,
                    rows.data() + static_cast<size_t>(height - 1 - y) * width * 4, static_cast<size_t>(width) * 4);
    for (size_t i = 3; i < rows.size(); i += 4) rgba[i] = 255;
    return glGetError() == GL_NO_ERROR;
}

void GlDevice::BuildPipeline() {
    for (int i = 0; i < 2; ++i) {
        Pipeline& p = pipelines_[i];
        p.program = Link(kVertexShader, i == 0 ? kFragmentShader : kRepeatedFragmentShader);
        glUseProgram(p.program);
        p.wvp = glGetUniformLocation(p.program, "wvp");
        p.textured = glGetUniformLocation(p.program, "textured");
        p.repeat = glGetUniformLocation(p.program, "repeat");
        glUniform1i(glGetUniformLocation(p.program, "tex"), 0);
        p.lodBias = glGetUniformLocation(p.program, "lodBias");
        p.bias = 0.0f;
    }
    composite_ = Link(kCompositeVertexShader, kCompositeFragmentShader);
    glUseProgram(composite_);
    glUniform1i(glGetUniformLocation(composite_, "tex"), 0);
    compositeWvp_ = glGetUniformLocation(composite_, "wvp");
    compositeScale_ = glGetUniformLocation(composite_, "scale");
    compositeOrigin_ = glGetUniformLocation(composite_, "origin");
    pipeline_ = &pipelines_[0];
    glUseProgram(pipeline_->program);
    repeat_ = 1;

    glGenVertexArrays(1, &texturedVao_);
    glGenBuffers(1, &texturedVbo_);
    glGenBuffers(1, &indexBuffer_);
    glBindVertexArray(texturedVao_);
    glBindBuffer(GL_ARRAY_BUFFER, texturedVbo_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(TexturedVertex), nullptr);
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(TexturedVertex),
                          reinterpret_cast<void*>(offsetof(TexturedVertex, colour)));
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(TexturedVertex),
                          reinterpret_cast<void*>(offsetof(TexturedVertex, u)));

    glGenVertexArrays(1, &colourVao_);
    glGenBuffers(1, &colourVbo_);
    glBindVertexArray(colourVao_);
    glBindBuffer(GL_ARRAY_BUFFER, colourVbo_);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(ColourVertex), nullptr);
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(ColourVertex),
                          reinterpret_cast<void*>(offsetof(ColourVertex, colour)));
    glVertexAttrib2f(2, 0.0f, 0.0f);

    glGenSamplers(1, &sampler_);
    glBindVertexArray(0);
}

GLuint GlDevice::Link(const char* vertex, const char* fragment) {
    GLuint program = glCreateProgram();
    GLuint vs = Compile(GL_VERTEX_SHADER, vertex);
    GLuint fs = Compile(GL_FRAGMENT_SHADER, fragment);
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    return program;
}

void GlDevice::Prepare(bool texturedFormat) {
    KeepTarget();
    if (!glowOn_) pictureClear_ = false;
    Pipeline& p = repeat_ > 1 ? pipelines_[1] : pipelines_[0];
    if (&p != pipeline_) {
        pipeline_ = &p;
        glUseProgram(p.program);
    }
    glm::mat4 wvp = projection_ * view_ * world_;
    glUniformMatrix4fv(p.wvp, 1, GL_FALSE, glm::value_ptr(wvp));
    glUniform1i(p.textured, texturedFormat && bound_ != 0 ? 1 : 0);
    if (repeat_ > 1) glUniform1f(p.repeat, static_cast<float>(repeat_));
    if (p.bias != lodBias_) {
        p.bias = lodBias_;
        glUniform1f(p.lodBias, lodBias_);
    }
}

}  // namespace plat
