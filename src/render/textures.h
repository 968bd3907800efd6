#pragma once
// The four embedded images, as textures that live for the whole run.
#include "platform/gfx/gfx.h"

extern plat::TextureId GlowDotTexture, LineTexture, TitleLogoTexture, StudioLogoTexture;

// The part of the line texture's centre row with any light in it, in texture u: a band drawn across that
// row adds nothing outside it.
extern float LineCentreLitFrom, LineCentreLitTo;

void LoadTextures();
