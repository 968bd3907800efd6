#include "render/font.h"

#include <cstring>

#include "font/font.h"
#include "platform/platform.h"
#include "render/batches.h"
#include "render/textures.h"
#include "shell/error_log.h"

FontHeader Font;

namespace {

int32_t ReadInt(const unsigned char* p) {
    return static_cast<int32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

void LoadFont() {
    EmbeddedFile file = FontRecordBinFile();
    const size_t headerSize = 16 + 256 * 12;
    if (file.size < headerSize) return;
    const unsigned char* p = file.data;
    std::memcpy(Font.magic, p, 4);
    Font.textureWidth = ReadInt(p + 4);
    Font.textureHeight = ReadInt(p + 8);
    Font.height = ReadInt(p + 12);
    for (int c = 0; c < 256; ++c) {
        const unsigned char* g = p + 16 + c * 12;
        Font.glyphs[c] = {ReadInt(g), ReadInt(g + 4), ReadInt(g + 8)};
    }
    LogError("ID: %c%c%c%c\n", Font.magic[0], Font.magic[1], Font.magic[2], Font.magic[3]);
    LogError("TW: %d\n", Font.textureWidth);
    LogError("TH: %d\n", Font.textureHeight);
    LogError("H: %d\n", Font.height);

    int tw = Font.textureWidth, th = Font.textureHeight;
    if (tw <= 0 || th <= 0 || file.size < headerSize + static_cast<size_t>(tw) * th) return;
    plat::Gfx& gfx = plat::gfx();
    Textures.FontTexture = gfx.CreateTexture(tw, th);
    int pitch = 0;
    unsigned char* texels = gfx.LockTexture(Textures.FontTexture, pitch);
    if (!texels) return;
    const unsigned char* atlas = p + headerSize;
    for (int y = 0; y < th; ++y)
        for (int x = 0; x < tw; ++x) {
            unsigned char b = atlas[y * tw + x];
            unsigned char* t = texels + y * pitch + x * 4;
            t[0] = t[1] = t[2] = t[3] = b;
        }
    gfx.UnlockTexture(Textures.FontTexture);
}

float DrawText(float x, float y, float z, float size, uint32_t colour, const char* text) {
    const float s = size * 0.8f;
    const float tw = static_cast<float>(Font.textureWidth), th = static_cast<float>(Font.textureHeight);
    float pen = x;
    int count = 0;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c && count < kTextCharacters; ++c) {
        if (*c == ' ') {
            pen += 0.5f * s;
            continue;
        }
        if (*c == '1') pen += 0.2f * s;  // centres the narrow digit a little
        const Glyph& g = Font.glyphs[*c];
        float w = static_cast<float>(g.width);
        float u0 = tw > 0 ? g.x / tw : 0, u1 = tw > 0 ? u0 + w / tw - 0.002f : 0;
        float v0 = th > 0 ? g.y / th + 0.005f : 0, v1 = th > 0 ? v0 + Font.height / th - 0.002f : 0;
        float right = pen + w * 0.03f * s;
        TexturedVertex* v = &Batches.TextVertices[count * 6];
        v[0] = {pen, y + s, z, colour, u0, v1};
        v[1] = {right, y + s, z, colour, u1, v1};
        v[2] = {pen, y, z, colour, u0, v0};
        v[3] = {right, y, z, colour, u1, v0};
        v[4] = {pen, y, z, colour, u0, v0};
        v[5] = {right, y + s, z, colour, u1, v1};
        ++count;
        pen = right;
    }
    if (count > 0) {
        plat::Gfx& gfx = plat::gfx();
        gfx.BindTexture(Textures.FontTexture);
        gfx.SetBlending(true);
        gfx.SetCullClockwise(true);
        gfx.Draw(plat::Primitive::TriangleList, Batches.TextVertices, count * 2);
        gfx.BindTexture(0);
        gfx.SetCullClockwise(false);
    }
    return pen - x;
}
