#include "frontend/hud.h"

#include <cstdio>

#include <glm/ext/matrix_transform.hpp>

#include "draw/front_text.h"
#include "draw/front_end.h"
#include "frontend/frontend.h"
#include "game/level_state.h"
#include "render/camera.h"
#include "render/batches.h"
#include "world/world.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF, kBarDark = 0xFF4F0000, kBarBright = 0xFFFF0000, kBlack = 0xFF000000;

struct Placed {
    float x, y, size;
};

// Counter positions by orientation: normal, horiz, 'tate.
struct CounterLayout {
    Placed held, best, hi, hiLabel, lives;
};
constexpr CounterLayout kLayouts[3] = {
    {{26, 6, 40}, {87, 24, 20}, {555, 6, 40}, {540, 12, 20}, {65, 40, 20}},
    {{6, -4, 40}, {67, 8, 20}, {555, -4, 40}, {540, 4, 20}, {135, 2, 20}},
    {{140, 6, 30}, {186, 15, 15}, {457, 6, 30}, {447, 11, 12}, {170, 40, 15}},
};

void Counter(const Placed& p, const char* format, int value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    FrontText(p.x, p.y, 0, p.size, kWhite, text);
}

void DrawLevelTitle(const World& w, int t) {
    const float ft = static_cast<float>(t);
    // Turned about x, then about y, then moved into place (column vectors: the order reads backwards).
    glm::mat4 m = glm::translate(glm::mat4(1.0f), glm::vec3(226.0f, 248.0f, 0.0f));
    m = glm::rotate(m, glm::radians(ft / 3.0f - 10.0f), glm::vec3(0, 1, 0));
    m = glm::rotate(m, glm::radians(0.5f * ft - 60.0f), glm::vec3(1, 0, 0));
    SetWorld(m);

    const uint32_t front = kBlack | static_cast<uint32_t>(w.Presentation.TitleFade) * 0x010101u;
    const uint32_t echo = kBlack | static_cast<uint32_t>(w.Presentation.TitleFade / 16) * 0x010101u;
    const int level = w.Game.CurrentLevel >= 0 && w.Game.CurrentLevel < kLevelCount ? w.Game.CurrentLevel : 0;

    const float titleX = 0.5f * ft - 40.0f;
    FrontText(titleX, 0, 0, 60, front, kLevelTitles[level]);
    for (int i = 0; i < 18; ++i) FrontText(titleX, 0, -30.0f + 4.0f * i, 60, echo, kLevelTitles[level]);
    const float subX = 60.0f - ft / 3.0f;
    FrontText(subX, 40, 0, 20, front, kLevelSubtitles[level]);
    for (int i = 0; i < 18; ++i) FrontText(subX, 40, -30.0f + 4.0f * i, 20, echo, kLevelSubtitles[level]);
}

void SegmentQuad(float x, float top, uint32_t topColour, float bottom, uint32_t bottomColour) {
    AddQuad(x, top, topColour, x + 13, top, topColour, x, bottom, bottomColour, x + 13, bottom, bottomColour);
}

// "replay", its speed beside it and under both a bar filled as far as the replay has played.
void DrawReplayInfo(const World& w) {
    static constexpr char kSpeeds[][7] = {"paused", "1/2x", "1x", "2x", "4x"};
    constexpr float x = 290, y = 20, barWidth = 120, barTop = 44, barBottom = 50;
    const float width = FrontText(x, y, 0, 20, kWhite, "replay");
    const int speed = w.Host.ReplayHud.speed >= SpeedPaused && w.Host.ReplayHud.speed <= SpeedFour ? w.Host.ReplayHud.speed : SpeedOne;
    FrontText(x + width + 8, y + 6, 0, 12, kWhite, kSpeeds[speed]);
    const double part = w.Host.ReplayHud.length > 0 ? static_cast<double>(w.Host.ReplayHud.position) / w.Host.ReplayHud.length : 0;
    const float fill = x + barWidth * static_cast<float>(part < 0 ? 0 : part > 1 ? 1 : part);
    AddQuad(x, barTop, kBarBright, fill, barTop, kBarBright, x, barBottom, kBarDark, fill, barBottom, kBarDark);
    FlushTriangles();
    AddLine(x, barTop, kWhite, x + barWidth, barTop, kWhite);
    AddLine(x + barWidth, barTop, kWhite, x + barWidth, barBottom, kWhite);
    AddLine(x + barWidth, barBottom, kWhite, x, barBottom, kWhite);
    AddLine(x, barBottom, kWhite, x, barTop, kWhite);
}

}  // namespace

void DrawHud(const World& w) {
    SetWorld(glm::mat4(1.0f));

    const bool fullGame = w.Game.PlayType == Play::FullGame;

    const CounterLayout& l = kLayouts[HudOrientation(w)];
    if (w.Host.WatchingReplay) DrawReplayInfo(w);
    Counter(l.held, "%03d", w.Game.Held);
    Counter(l.best, "/%03d", w.Game.PeakHeld);
    if (fullGame) {
        Counter(l.hi, "%03d", w.Saved.HiScore);
        FrontText(l.hiLabel.x, l.hiLabel.y, 0, l.hiLabel.size, kWhite, "hi");
    }
    Counter(l.lives, "%d", w.Game.Lives);

    if (w.Program.GameMode == Mode::Paused && w.Presentation.HudBlink > 4) FrontText(400, 470, 0, 20, kWhite, "...paused");
    if (w.Game.Lives == 0 && w.Game.GameOverTimer < 200) FrontText(251, 250, 0, 30, kWhite, "game over");

    const int t = w.Level.LevelTitleTimer;
    if (t >= 1 && t <= 159) DrawLevelTitle(w, t);

    DrawLivesIcon(w);
}

void DrawLivesIcon(const World& w) {
    static const float kOrigins[3][2] = {{35, 40}, {110, 4}, {140, 40}};
    const float x = kOrigins[HudOrientation(w)][0], y = kOrigins[HudOrientation(w)][1];
    auto line = [](float x1, float y1, float x2, float y2) { AddLine(x1, y1, kWhite, x2, y2, kWhite); };
    line(x + 2, y + 12, x + 8, y - 2);
    line(x + 8, y + 16, x + 8, y - 2);
    line(x + 8, y + 16, x + 2, y + 12);
    line(x + 24, y + 12, x + 18, y - 2);
    line(x + 18, y + 16, x + 18, y - 2);
    line(x + 18, y + 16, x + 24, y + 12);
    line(x + 11, y + 6, x + 15, y + 6);
    line(x + 15, y + 6, x + 15, y + 10);
    line(x + 15, y + 10, x + 11, y + 10);
    line(x + 11, y + 10, x + 11, y + 6);
    FlushLines(w.Level.LevelTitleTimer);  // now, under the HUD's camera
}

void AddBossBarFill(float x, float y0, float v, uint32_t top) {
    for (int k = 0; k < 10; ++k) {
        const float a = -18.5f * k, b = -13.0f - 18.5f * k;
        if (v < b) {
            SegmentQuad(x, y0 + 180 + b, top, y0 + 180 + a, kBarDark);
        } else if (v < a) {
            SegmentQuad(x, y0 + 180 + v, top, y0 + 180 + a, kBarDark);
            SegmentQuad(x, y0 + 178 + v, kBlack, y0 + 180 + v, top);  // a soft edge over the level
        }
    }
}

void DrawBossBar(const World& w) {
    const uint32_t c = w.Presentation.BarBlink >= 4 ? kBarBright : kBarDark;

    static const float kBaseX[3] = {560, 72, 490};
    static const float kTop[3] = {300, 180, 330};
    const float x = static_cast<float>(static_cast<int>(w.Presentation.BarOffset + kBaseX[HudOrientation(w)]));
    const float y0 = kTop[HudOrientation(w)];
    AddBossBarFill(x, y0, w.Level.BossBar, c);
    FlushTriangles();

    for (int k = 0; k < 10; ++k) {
        const float y = y0 + 18.5f * k;
        AddLine(x, y, kWhite, x + 13, y, kWhite);
        AddLine(x + 13, y, kWhite, x + 13, y + 13, kWhite);
        AddLine(x + 13, y + 13, kWhite, x, y + 13, kWhite);
        AddLine(x, y + 13, kWhite, x, y, kWhite);
    }
    FlushLines(w.Level.LevelTitleTimer);
}

