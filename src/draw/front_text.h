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

struct FrontTextRing {
    FrontTextEntry entries[kFrontTextLog];  // entry n is at n % kFrontTextLog
    int32_t count;                          // texts drawn since the last clear
};
extern FrontTextRing FrontTexts;

float FrontText(float x, float y, float z, float size, uint32_t colour, const char* text);
void ClearFrontTextLog();
