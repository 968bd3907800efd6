#pragma once
// A started program driven by whole frame passes, with the front end's texts read back.
#include <string>
#include <vector>

#include "draw/front_text.h"
#include "test_support.h"

constexpr int kKeyUp = 200, kKeyDown = 208, kKeyLeft = 203, kKeyRight = 205, kKeyX = 45, kKeyC = 46,
              kKeyReturn = 28, kKeyF9 = 67, kKeyF12 = 88;

class FrontEndTest : public HeadlessTest {
protected:
    void SetUp() override;
    void Pass(int frames = 1);
    // A press held for one pass, then released for one.
    void Tap(int code, int times = 1);
    // The settings file as numbers (version first).
    std::vector<int> Settings();
    // The texts drawn since the last ClearFrontTextLog with this exact text.
    std::vector<FrontTextEntry> Texts(const std::string& text) const;
    bool Drawn(const std::string& text) const { return !Texts(text).empty(); }
    std::vector<FrontTextEntry> AllTexts() const;
};

// Offsets of fields in the settings file (after the version number at 0).
constexpr int kCfgResolution = 15, kCfgOrientation = 16, kCfgWindowed = 17, kCfgHiScore = 18;
constexpr int kCfgPractice = 19, kCfgBoss = 23, kCfgBossRush = 27;
