#pragma once
// The bitmap font: one proportional face in a 256 x 256 atlas, drawn as textured quads in world space.
#include <cstdint>

#include "render/batches.h"

struct Glyph {
    int32_t x, y, width;
};

struct FontHeader {
    char magic[4];
    int32_t textureWidth, textureHeight, height;
    Glyph glyphs[256];
};

extern FontHeader Font;

void LoadFont();
// Draws at once (additively, clockwise triangles culled) and returns the width drawn.
float DrawText(float x, float y, float z, float size, uint32_t colour, const char* text);

