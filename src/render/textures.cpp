#include "render/textures.h"

#include <algorithm>
#include <vector>

#include "images/images.h"
#include "platform/gfx/image_decode.h"
#include "platform/platform.h"
#include "shell/error_log.h"

TextureSet Textures;

namespace {

// Filtering blends the two rows around the centre and two neighbouring texels (wrapping at the edges):
// u is dark up to half a texel before the first lit texel and from half a texel after the last.
void FindCentreLight(EmbeddedFile file) {
    std::vector<unsigned char> rgba;
    int w = 0, h = 0;
    Textures.LineCentreLitFrom = 0.0f, Textures.LineCentreLitTo = 1.0f;
    if (!plat::DecodeImage(file.data, file.size, rgba, w, h) || w < 3 || h < 2) return;
    int first = w, last = -1;
    for (int row : {h / 2 - 1, h / 2})
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = &rgba[(static_cast<size_t>(row) * w + x) * 4];
            if (p[0] | p[1] | p[2]) first = std::min(first, x), last = std::max(last, x);
        }
    if (first < 1 || last > w - 2) return;  // light reaches an edge, and wraps round to the other
    Textures.LineCentreLitFrom = (static_cast<float>(first) - 0.5f) / static_cast<float>(w);
    Textures.LineCentreLitTo = (static_cast<float>(last) + 1.5f) / static_cast<float>(w);
}

plat::TextureId Load(EmbeddedFile file) {
    plat::TextureId tex = plat::gfx().TextureFromFile(file.data, file.size);
    if (!tex) LogError("failed to load texture\n");
    return tex;
}

}  // namespace

void LoadTextures() {
    Textures.GlowDotTexture = Load(GlowDotTgaFile());
    Textures.LineTexture = Load(LineTgaFile());
    FindCentreLight(LineTgaFile());
    Textures.TitleLogoTexture = Load(TitleLogoTgaFile());
    Textures.StudioLogoTexture = Load(StudioLogoBmpFile());
    plat::gfx().SetTextureFiltering();
    plat::gfx().BindTexture(0);
}
