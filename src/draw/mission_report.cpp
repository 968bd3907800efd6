#include <cstdio>

#include <glm/mat4x4.hpp>

#include "draw/front_text.h"
#include "draw/screens.h"
#include "game/mission_report.h"
#include "game/records.h"
#include "render/camera.h"
#include "world/world.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF, kDim = 0xFF808080, kOtherRow = 0xFF7F7F7F, kInvisible = 0;

int ReportLevel(const World& w) { return w.Game.CurrentLevel >= 0 && w.Game.CurrentLevel < kLevelCount ? w.Game.CurrentLevel : 0; }

// Right-aligned to x: measured first with a draw that adds nothing.
void RightAligned(float x, float y, float size, uint32_t colour, const char* text, float measureX) {
    float width = FrontText(measureX, y, 0, size, kInvisible, text);
    FrontText(x - width, y, 0, size, colour, text);
}

void Number(char* out, size_t size, int value) { std::snprintf(out, size, "%d", value); }

void Centred(float y, float size, uint32_t colour, const char* text) {
    float width = FrontText(0, y, 0, size, kInvisible, text);
    FrontText(320 - width / 2, y, 0, size, colour, text);
}

// A record this game set, pulsing with the count-up's ticks.
void DrawNewRecord(const World& w, float y) {
    if (News.isNew) Centred(y, 25, w.Report.tick < 2 ? kWhite : kDim, "NEW RECORD");
}

// The boss fight's or the rush's time, to the hundredth.
void DrawTime(const World& w) {
    if (News.frames <= 0) return;
    char time[16], text[40];
    const bool rush = w.Game.BossRush == 1;
    FormatRecordTime(time, sizeof time, News.frames, rush);
    std::snprintf(text, sizeof text, rush ? "time %s" : "time %s s", time);
    Centred(178, 20, kDim, text);
}

void DrawBossPracticeEnd(const World& w) {
    if (w.Game.BossRush == 1) {
        FrontText(210, 140, 0, 25, kWhite, "boss rush complete");
        FrontText(306, 200, 0, 150, kWhite, "!");
        FrontText(250, 350, 0, 10, kWhite, "congratulations player vantorell");
        FrontText(230, 360, 0, 15, kWhite, "F9 + F12 on the main menu");
        FrontText(265, 374, 0, 10, kWhite, "not that you need it now");
    } else {
        FrontText(194, 140, 0, 25, kWhite, "boss practice complete");
    }
    DrawTime(w);
    DrawNewRecord(w, 420);
}

void DrawTable(const World& w) {
    const int level = ReportLevel(w);
    FrontText(152, 40, 0, 25, kWhite, "mission report");
    RightAligned(385, 85, 14, kDim, "collected", 360);
    FrontText(406, 85, 0, 14, kDim, "max");

    char text[32];
    for (int k = 0; k < kLevelCount; ++k) {
        const float y = 100.0f + 30.0f * k;
        const uint32_t c = k == level ? kWhite : kOtherRow;
        std::snprintf(text, sizeof text, "level %d", k + 1);
        FrontText(210, y, 0, 20, c, text);
        FrontText(270, y, 0, 20, c, "........................");
        Number(text, sizeof text, k == level ? w.Report.collected : w.Game.LevelCollected[k]);
        RightAligned(385, y, 20, c, text, 360);
        FrontText(395, y, 0, 20, c, ":");
    }
    const uint32_t lastRow = level == kLastLevel ? kWhite : kOtherRow;
    FrontText(395, 100, 0, 20, lastRow, "55");
    FrontText(395, 130, 0, 20, lastRow, "90");
    FrontText(397, 160, 0, 20, lastRow, "123");
    FrontText(397, 190, 0, 20, lastRow, "125");

    FrontText(170, 250, 0, 30, kWhite, "current..........");
    Number(text, sizeof text, w.Report.held);
    RightAligned(380, 238, 50, kWhite, text, 360);
    FrontText(385, 245, 0, 14, kDim, "held");
    FrontText(385, 255, 0, 30, kDim, "/");
    Number(text, sizeof text, w.Report.best);
    float width = FrontText(400, 257, 0, 50, kWhite, text);
    FrontText(405 + width, 264, 0, 14, kDim, "max");
    FrontText(405 + width, 276, 0, 14, kDim, "held");
}

void FlashMessage(float y, int32_t timer, const char* text) {
    float width = FrontText(0, y, 0, 25, kInvisible, text);
    FrontText(320 - width / 2, y, 0, 25, static_cast<uint32_t>(7 * (timer % 32)) << 16, text);
}

void DrawUnlockMessages(const World& w) {
    char text[64];
    std::snprintf(text, sizeof text, "PRACTICE LEVEL %d UNLOCKED", ReportLevel(w) + 1);
    FlashMessage(350, w.Report.practiceFlash, text);
    std::snprintf(text, sizeof text, "BOSS LEVEL %d UNLOCKED", ReportLevel(w) + 1);
    FlashMessage(380, w.Report.bossFlash, text);
    FlashMessage(410, w.Report.bossRushFlash, "BOSS RUSH UNLOCKED");
}

}  // namespace

void DrawMissionReport(const World& w) {
    SetWorld();
    if (w.Game.PlayType == Play::BossFight) {
        DrawBossPracticeEnd(w);
        return;
    }
    DrawTable(w);
    DrawUnlockMessages(w);
    if (w.Game.PlayType == Play::LevelPractice) DrawNewRecord(w, 350);
}
