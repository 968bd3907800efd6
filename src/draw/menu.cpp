#include "draw/menu.h"

#include <cstdio>

#include <glm/ext/matrix_transform.hpp>

#include "world/sounds.h"
#include "draw/front_text.h"
#include "draw/front_end.h"
#include "frontend/frontend.h"
#include "frontend/menu.h"
#include "shell/options.h"
#include "shell/bindings.h"
#include "input/key_names.h"
#include "render/camera.h"
#include "render/background.h"
#include "render/batches.h"
#include "world/world.h"
#include "shell/random.h"
#include "shell/trig.h"

namespace {

constexpr float kItemX = 180, kItemTop = 290, kItemStep = 20, kItemSize = 20;
constexpr float kRecordSize = 16;
constexpr float kLockedSize = 10, kArrowSize = 14, kHzSize = 12, kBoardSize = 8;

uint32_t Grey(int level) { return static_cast<uint32_t>(level) * 0x010101u; }

void DrawCredits(const World& w) {
    const float* a = w.Presentation.CreditsJitterA.data();
    const float* b = w.Presentation.CreditsJitterB.data();
    FrontText(188 + a[0], 360 + b[1], 0, 20, kCreditRoleColour, "GAME DESIGN");
    FrontText(208 + b[1], 370 + a[2], 0, 20, kCreditNameColour, kCreditNames[0]);
    FrontText(188 + a[2], 410 + a[0], 0, 20, kCreditRoleColour, "CODING");
    FrontText(208 + b[1], 420 + b[0], 0, 20, kCreditNameColour, kCreditNames[0]);
    FrontText(208 + b[2], 435 + a[0], 0, 20, kCreditNameColour, kCreditNames[1]);
    FrontText(188 + a[0], 470 + b[0], 0, 20, kCreditRoleColour, "MUSIC AND SOUND DESIGN");
    FrontText(208 + b[0], 480 + a[2], 0, 20, kCreditNameColour, kCreditNames[2]);
}

// Choices laid out side by side, the chosen one lit.
template <size_t Length>
void DrawChoices(float y, uint32_t c, int chosen, const char (*labels)[Length], const float* xs, int n) {
    for (int k = 0; k < n; ++k) FrontText(xs[k], y, 0, kItemSize, k == chosen ? c : kOtherValueColour, labels[k]);
}

void DrawSpeed(const MenuItem& item, float y, uint32_t c) {
    FrontText(kItemX, y, 0, kItemSize, c, "speed:");
    uint32_t c60 = item.value == 0 ? c : kOtherValueColour;
    uint32_t c30 = item.value == 1 ? c : kOtherValueColour;
    FrontText(250, y, 0, kItemSize, c60, "60");
    FrontText(270, y + 6, 0, kHzSize, c60, "hz");
    FrontText(300, y, 0, kItemSize, c30, "30");
    FrontText(320, y + 6, 0, kHzSize, c30, "hz");
}

void DrawLevelChoice(const World& w, const MenuItem& item, float y, uint32_t c) {
    const bool bosses = item.action == ActionPracticeBoss;
    const int32_t* unlocked = bosses ? w.Saved.BossUnlocked.data() : w.Saved.PracticeUnlocked.data();
    for (int k = 0; k < kLevelCount; ++k)
        if (unlocked[k] == 0)
            FrontText(190.0f + (bosses ? 66.0f : 67.0f) * k, y + 3, 0, kLockedSize, LockedColour(w), "l o c k e d");
    static constexpr char kLevels[kLevelCount][8] = {"level 1", "level 2", "level 3", "level 4"};
    static constexpr char kBosses[kLevelCount][8] = {"boss 1", "boss 2", "boss 3", "boss 4"};
    static const float kXs[kLevelCount] = {180, 247, 314, 381};
    DrawChoices(y, c, item.value, bosses ? kBosses : kLevels, kXs, kLevelCount);
}

void DrawStepper(const World& w, const MenuItem& item, float y, uint32_t c, bool underCursor, const char* label) {
    float width = FrontText(kItemX, y, 0, kItemSize, c, label);
    if (!underCursor) return;
    if (item.value != 0) FrontText(275 + w.Presentation.ArrowWobble, y + 2, 0, kArrowSize, c, "<<");
    if (item.value != item.count - 1) FrontText(width + 190 - w.Presentation.ArrowWobble, y + 2, 0, kArrowSize, c, ">>");
}

int RedefineSlot(int row) { return row == 6 ? SlotPause : row; }

// A record's standing on the online boards, beside its row; a refusal's reason under the page for the row
// under the cursor.
void DrawBoardStanding(const BoardRowInfo& row, float y, uint32_t c, bool underCursor) {
    char text[32];
    switch (row.state) {
        case BoardRow::Sending: std::snprintf(text, sizeof text, "sending"); break;
        case BoardRow::Checking: std::snprintf(text, sizeof text, "checking"); break;
        case BoardRow::Ranked:
            std::snprintf(text, sizeof text, "rank %d of %d", static_cast<int>(row.rank), static_cast<int>(row.of));
            break;
        case BoardRow::Refused: std::snprintf(text, sizeof text, "refused"); break;
        case BoardRow::NameUnknown: std::snprintf(text, sizeof text, "name unknown"); break;
        default: return;
    }
    FrontText(442, y + 4, 0, kBoardSize, c, text);
    if (underCursor && row.state == BoardRow::Refused)
        FrontText(kItemX, kItemTop + kItemStep * 11.5f, 0, kLockedSize, kPromptColour, row.reason.data());
}

void DrawItems(const World& w) {
    for (int i = 0; i < w.MenuItemCount; ++i) {
        const MenuItem& item = w.MenuItems[i];
        const bool underCursor = i == w.MenuCursor;
        const float y = kItemTop + kItemStep * i;
        const uint32_t c = underCursor ? MenuHighlightColour(w) : kItemColour;
        char line[kMenuTextBytes + kKeyNameBuffer + 2];
        switch (item.action) {
            case ActionSpeed:
                DrawSpeed(item, y, c);
                break;
            case ActionPracticeLevel:
            case ActionPracticeBoss:
                DrawLevelChoice(w, item, y, c);
                break;
            case ActionDisplay: {
                static constexpr char kLabels[3][7] = {"normal", "horiz", "'tate"};
                static const float kXs[3] = {255, 330, 390};
                FrontText(kItemX, y, 0, kItemSize, c, "display:");
                DrawChoices(y, c, item.value, kLabels, kXs, 3);
                break;
            }
            case ActionWindowed: {
                static constexpr char kLabels[2][4] = {"no", "yes"};
                static const float kXs[2] = {285, 320};
                FrontText(kItemX, y, 0, kItemSize, c, "windowed:");
                DrawChoices(y, c, item.value, kLabels, kXs, 2);
                break;
            }
            case ActionEffects: {
                static constexpr char kLabels[3][6] = {"auto", "full", "light"};
                static const float kXs[3] = {258, 313, 355};
                FrontText(kItemX, y, 0, kItemSize, c, "effects:");
                DrawChoices(y, c, item.value, kLabels, kXs, 3);
                break;
            }
            case ActionSmoothing: {
                static constexpr char kLabels[kSmoothingChoices][5] = {"auto", "off", "2x", "4x"};
                static const float kXs[kSmoothingChoices] = {292, 347, 385, 417};
                FrontText(kItemX, y, 0, kItemSize, c, "smoothing:");
                DrawChoices(y, c, item.value, kLabels, kXs, kSmoothingChoices);
                break;
            }
            case ActionResolution:
                if (const char* label = ResolutionLabel(item.value)) DrawStepper(w, item, y, c, underCursor, label);
                break;
            case ActionMusicVolume:
            case ActionEffectsVolume:
                std::snprintf(line, sizeof line, "%s %d", item.text.data(), static_cast<int>(item.value));
                DrawStepper(w, item, y, c, underCursor, line);
                break;
            case ActionRedefine: {
                char name[kKeyNameBuffer];
                int slot = RedefineSlot(item.value);
                KeyName(slot >= 0 && slot < kBindingSlots ? w.PendingBindings[slot] : 0, name, sizeof name);
                std::snprintf(line, sizeof line, "%s %s", item.text.data(), name);
                if (w.Program.GameMode == Mode::CaptureBinding) {
                    // While a key is awaited, only its row and the prompt show.
                    if (!underCursor) break;
                    FrontText(kItemX, y, 0, kItemSize, c, line);
                    FrontText(190, y + 20, 0, kItemSize, kPromptColour, "redefine, press any key/axis/button");
                    return;
                }
                FrontText(kItemX, y, 0, kItemSize, c, line);
                break;
            }
            case ActionWatchReplay:
                if (item.value >= 0 && item.value < kReplayFiles && !w.Host.ReplayAvailable[item.value])
                    FrontText(330, y + 3, 0, kLockedSize, LockedColour(w), "n o n e");
                FrontText(kItemX, y, 0, kItemSize, c, item.text.data());
                break;
            case ActionWatchRecord:
                if (item.value >= 0 && item.value < kReplayFiles && w.Host.ReplayAvailable[item.value])
                    FrontText(392, y + 3, 0, kLockedSize, underCursor ? c : kOtherValueColour, "w a t c h");
                if (item.value >= 0 && item.value < kReplayFiles && Options.OnlineBoards)
                    DrawBoardStanding(w.Host.BoardRows[item.value], y, underCursor ? c : kOtherValueColour, underCursor);
                FrontText(kItemX, y, 0, kRecordSize, c, item.text.data());
                break;
            case ActionBossRush:
                if (w.Saved.BossRushUnlocked == 0) {
                    FrontText(190, y + 3, 0, kLockedSize, LockedColour(w), "l o c k e d");
                    FrontText(kItemX, y, 0, kItemSize, underCursor ? Grey(w.Presentation.MenuPulse / 3 + 20) : kItemColour,
                              item.text.data());
                } else {
                    FrontText(kItemX, y, 0, kItemSize, c, item.text.data());
                }
                break;
            default:
                if (item.count == 0) {
                    FrontText(kItemX, y, 0, kItemSize, c, item.text.data());
                } else {
                    std::snprintf(line, sizeof line, "%s %d", item.text.data(), static_cast<int>(item.value));
                    FrontText(kItemX, y, 0, kItemSize, c, line);
                }
                break;
        }
    }
}

}  // namespace

uint32_t MenuHighlightColour(const World& w) { return Grey(w.Presentation.MenuPulse); }

uint32_t LockedColour(const World& w) { return static_cast<uint32_t>((255 - w.Presentation.MenuPulse) / 2) << 16; }

void DrawMenu(const World& w) {
    DrawTitleLogo(w, 170, 80);

    char hi[32];
    std::snprintf(hi, sizeof hi, "HI: %03d", static_cast<int>(w.Saved.HiScore));
    FrontText(408, 105, 0, 15, kHiScoreColour, hi);

    // The page sits 12 units right and 40 up from the positions below.
    SetWorld(glm::translate(glm::mat4(1.0f), glm::vec3(12.0f, -40.0f, 0.0f)));
    if (w.MenuPage == PageCredits) DrawCredits(w);

    float width = FrontText(180, 250, 0, 30, kPageTitleColour, MenuTitle());
    // Lines are not translated and draw with the next frame's flush: this lands under the moved title.
    if (w.Saved.ScreenOrientation != 1) AddLine(192, 231, 0xFFFFFFFF, 192 + width, 231, 0xFF808080);

    DrawItems(w);
    if (w.MenuPage == PageReplays && w.Host.ReplayUnreadableTimer > 0)
        FrontText(180, kItemTop + kItemStep * 4, 0, kItemSize, kPromptColour, "replay unreadable");
    SetWorld(glm::mat4(1.0f));
}

