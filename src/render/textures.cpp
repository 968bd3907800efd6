#include "render/textures.h"

#include "images/images.h"
#include "platform/platform.h"
#include "shell/error_log.h"

plat::TextureId GlowDotTexture, LineTexture, TitleLogoTexture, StudioLogoTexture;

namespace {

plat::TextureId Load(EmbeddedFile file) {
    plat::TextureId tex = plat::gfx().TextureFromFile(file.data, file.size);
    if (!tex) LogError("failed to load texture\n");
    return tex;
}

}  // namespace

void LoadTextures() {
    GlowDotTexture = Load(GlowDotTgaFile());
    LineTexture = Load(LineTgaFile());
    TitleLogoTexture = Load(TitleLogoTgaFile());
    StudioLogoTexture = Load(StudioLogoBmpFile());
    plat::gfx().SetTextureFiltering();
    plat::gfx().BindTexture(0);
}
