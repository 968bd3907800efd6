#include <cstring>

#include "platform/gfx/image_decode.h"
#include "platform/headless.h"
#include "platform/window/window.h"

namespace plat {

bool HeadlessGfx::CurrentDisplayMode(DisplayMode& mode) {
    if (failDisplayMode) return false;
    mode = desktop;
    return true;
}

bool HeadlessGfx::CreateDevice(Window& on, bool isWindowed, int fullW, int fullH) {
    if (failCreate) return false;
    device = true;
    window = &on;
    windowed = isWindowed;
    width = fullW, height = fullH;  // the picture keeps its size; presenting scales it to the window
    return true;
}

bool HeadlessGfx::ResetDevice(bool isWindowed, int fullW, int fullH) {
    ++resets;
    if (failReset || !device) return false;
    windowed = isWindowed;
    width = fullW, height = fullH;  // the picture keeps its size; presenting scales it to the window
    return true;
}

void HeadlessGfx::WindowPictureSize(int& w, int& h) {
    w = width, h = height;
    if ((w <= 0 || h <= 0) && window) window->ClientSize(w, h);
}

void HeadlessGfx::BackBufferSize(int& w, int& h) {
    WindowPictureSize(w, h);
    if (width > 0 && height > 0) return;
    FitFourByThree(w, h, w, h);
}

bool HeadlessGfx::SetDepthTest(bool on) {
    if (failDepth) return false;
    depthTest = on;
    return true;
}

void HeadlessGfx::SetStandingState() {
    standingState = true;
    depthTest = false;
    blending = true;
    cullClockwise = false;
}

void HeadlessGfx::Present() {
    ++presents;
    calls.clear();
    if (onPresent) onPresent();
}

bool HeadlessGfx::SetSwapInterval(int interval) {
    if (interval > maxSwapInterval) return false;
    swapInterval = interval;
    return true;
}

void HeadlessGfx::SetTransform(TransformKind kind, const glm::mat4& m) {
    switch (kind) {
        case TransformKind::World: world = m; break;
        case TransformKind::View: view = m; break;
        case TransformKind::Projection: projection = m; break;
    }
    if (kind != TransformKind::World) cameraMoved = true;
}

TextureId HeadlessGfx::TextureFromFile(const unsigned char* data, size_t size) {
    Texture tex;
    if (!DecodeImage(data, size, tex.texels, tex.width, tex.height)) return 0;
    textures.push_back(std::move(tex));
    return static_cast<TextureId>(textures.size());
}

TextureId HeadlessGfx::CreateTexture(int w, int h) {
    if (w <= 0 || h <= 0) return 0;
    Texture tex;
    tex.width = w, tex.height = h;
    tex.texels.assign(static_cast<size_t>(w) * h * 4, 0);
    textures.push_back(std::move(tex));
    return static_cast<TextureId>(textures.size());
}

unsigned char* HeadlessGfx::LockTexture(TextureId id, int& pitch) {
    if (id <= 0 || static_cast<size_t>(id) > textures.size()) return nullptr;
    Texture& tex = textures[id - 1];
    pitch = tex.width * 4;
    return tex.texels.data();
}

void HeadlessGfx::UnlockTexture(TextureId id) {
    if (hashDrawing && id > 0 && static_cast<size_t>(id) <= textures.size())
        HashBytes(textures[id - 1].texels.data(), textures[id - 1].texels.size());
}

// FNV-1a over 32-bit words: vertices are whole words, and bytes one at a time would slow long runs.
void HeadlessGfx::HashBytes(const void* data, size_t bytes) {
    const unsigned char* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i + 4 <= bytes; i += 4) {
        uint32_t word;
        std::memcpy(&word, p + i, 4);
        drawnHash = (drawnHash ^ word) * 0x100000001b3ull;
    }
    for (size_t i = bytes & ~size_t(3); i < bytes; ++i) drawnHash = (drawnHash ^ p[i]) * 0x100000001b3ull;
}

void HeadlessGfx::Record(DrawCall::Kind kind, int vertices, int primitives) {
    ++drawCallsTotal;
    if (hashDrawing) {
        int32_t state[] = {kind, bound, blending, cullClockwise, repeat, mipmapping};
        HashBytes(state, sizeof state);
        if (glowLayer) HashBytes("glow", 4);
        HashBytes(&world, sizeof world);
        // The camera is part of the picture, as it stands when something is drawn through it. The
        // projection never changes, and its tan() is rounded differently by an unoptimised build.
        if (cameraMoved) HashBytes(&view, sizeof view);
        cameraMoved = false;
    }
    if (calls.size() < kMaxRecordedCalls)
        calls.push_back({kind, vertices, primitives, bound, blending, cullClockwise, world, repeat, mipmapping, glowLayer});
}

void HeadlessGfx::DrawIndexed(const TexturedVertex* vertices, int vertexCount, const uint16_t* indices,
                              int triangleCount) {
    Record(DrawCall::Indexed, vertexCount, triangleCount);
    if (!hashDrawing) return;
    HashBytes(vertices, sizeof(TexturedVertex) * vertexCount);
    HashBytes(indices, sizeof(uint16_t) * 3 * triangleCount);
}

void HeadlessGfx::Draw(Primitive prim, const TexturedVertex* vertices, int count) {
    bool list = prim == Primitive::TriangleList;
    int n = list ? count * 3 : count + 2;
    Record(list ? DrawCall::TexturedList : DrawCall::TexturedStrip, n, count);
    if (hashDrawing) HashBytes(vertices, sizeof(TexturedVertex) * n);
}

void HeadlessGfx::Draw(Primitive prim, const ColourVertex* vertices, int count) {
    bool list = prim == Primitive::TriangleList;
    int n = list ? count * 3 : count + 2;
    Record(list ? DrawCall::ColourList : DrawCall::ColourStrip, n, count);
    if (hashDrawing) HashBytes(vertices, sizeof(ColourVertex) * n);
}

void HeadlessGfx::AddGlowLayer(float x0, float y0, float x1, float y1) {
    glowLayer = false;
    ++glowAdds;
    if (!hashDrawing) return;
    float rect[] = {x0, y0, x1, y1};
    HashBytes(rect, sizeof rect);
    HashBytes(&world, sizeof world);
}

void HeadlessGfx::Reset() {
    *this = HeadlessGfx();
    calls.reserve(kMaxRecordedCalls);
}

}  // namespace plat
