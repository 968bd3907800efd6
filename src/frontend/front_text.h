#pragma once
// Every text the front end draws goes through here, so the last few hundred can be read back by the
// headless runner and the tests (the graphics device keeps no text).
#include <cstdint>

struct FrontTextEntry {
    float x, y, z, size;
    uint32_t colour;
    char text[64];
};

constexpr int kFrontTextLog = 512;

extern FrontTextEntry FrontTextLog[kFrontTextLog];  // a ring: entry n is at n % kFrontTextLog
extern int32_t FrontTextCount;                      // texts drawn since the last clear

float FrontText(float x, float y, float z, float size, uint32_t colour, const char* text);
void ClearFrontTextLog();
