#pragma once
// Pictures drawn by gen_images and embedded in the program.
#include "embedded.h"

QUIVEX_DECLARE_ASSET(GlowDotTga)
QUIVEX_DECLARE_ASSET(LineTga)
QUIVEX_DECLARE_ASSET(TitleLogoTga)
QUIVEX_DECLARE_ASSET(StudioLogoBmp)
QUIVEX_DECLARE_ASSET(LauncherBmp)
QUIVEX_DECLARE_ASSET(IconPng)
