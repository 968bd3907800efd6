#pragma once
// The four embedded images and the font, as textures that live for the whole run.
#include "platform/gfx/gfx.h"

struct TextureSet {
    plat::TextureId GlowDotTexture, LineTexture, TitleLogoTexture, StudioLogoTexture;
    plat::TextureId FontTexture;  // made by LoadFont
    // The part of the line texture's centre row with any light in it, in texture u: a band drawn across
    // that row adds nothing outside it.
    float LineCentreLitFrom = 0.0f, LineCentreLitTo = 1.0f;
};
extern TextureSet Textures;

void LoadTextures();
