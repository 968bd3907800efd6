#include "frontend/front_text.h"

#include <cstdio>

#include "render/font.h"

FrontTextEntry FrontTextLog[kFrontTextLog];
int32_t FrontTextCount;

float FrontText(float x, float y, float z, float size, uint32_t colour, const char* text) {
    FrontTextEntry& e = FrontTextLog[FrontTextCount % kFrontTextLog];
    e = {x, y, z, size, colour, {}};
    std::snprintf(e.text, sizeof e.text, "%s", text);
    // Wraps after about two billion texts; the ring index stays valid.
    FrontTextCount = FrontTextCount == INT32_MAX ? kFrontTextLog : FrontTextCount + 1;
    return DrawText(x, y, z, size, colour, text);
}

void ClearFrontTextLog() { FrontTextCount = 0; }
