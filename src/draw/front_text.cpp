#include "draw/front_text.h"

#include <cstdio>

#include "render/font.h"

FrontTextRing FrontTexts;

float FrontText(float x, float y, float z, float size, uint32_t colour, const char* text) {
    FrontTextEntry& e = FrontTexts.entries[FrontTexts.count % kFrontTextLog];
    e = {x, y, z, size, colour, {}};
    std::snprintf(e.text, sizeof e.text, "%s", text);
    // Wraps after about two billion texts; the ring index stays valid.
    FrontTexts.count = FrontTexts.count == INT32_MAX ? kFrontTextLog : FrontTexts.count + 1;
    return DrawText(x, y, z, size, colour, text);
}

void ClearFrontTextLog() { FrontTexts.count = 0; }
