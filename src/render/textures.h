#pragma once
// The four embedded images, as textures that live for the whole run.
#include "platform/gfx/gfx.h"

extern plat::TextureId GlowDotTexture, LineTexture, TitleLogoTexture, StudioLogoTexture;

void LoadTextures();
