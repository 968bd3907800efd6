#include "frontend/menu.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "world/sounds.h"
#include "game/game_flow.h"
#include "game/mission_report.h"
#include "game/records.h"
#include "shell/bindings.h"
#include "shell/data_dir.h"
#include "world/world.h"
#include "shell/options.h"
#include "shell/settings.h"


namespace {

constexpr char kResolutionLabels[kResolutionChoices][26] = {
    "resolution:   640 x 480",   "resolution:   800 x 600",   "resolution:   1024 x 768",
    "resolution:   1280 x 720",  "resolution:   1280 x 1024", "resolution:   1600 x 1200",
    "resolution:   native",
};

void FindReplays() {
    for (int i = 0; i < kReplayFiles; ++i) W.Host.ReplayAvailable[i] = access(DataPath(kRecordReplays[i]), R_OK) == 0 ? 1 : 0;
}

// One row a record, each watching the replay that set it.
void RecordItems();


void Item(const char* text, int action, int value, int count) {
    if (W.MenuItemCount >= kMenuItems) return;
    MenuItem& item = W.MenuItems[W.MenuItemCount++];
    item.action = action;
    item.value = value;
    item.count = count;
    std::snprintf(item.text.data(), sizeof item.text, "%s", text);
}

int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// Options take effect while the cursor rests on them, not only when they change.
void ApplyItem(const MenuItem& item) {
    switch (item.action) {
        case ActionSpeed:
            W.Program.SpeedSetting = item.value;
            break;
        case ActionPracticeLevel:
        case ActionPracticeBoss:
            W.Game.CurrentLevel = item.value;
            break;
        case ActionDisplay:
            if (item.value != W.Saved.ScreenOrientation) {
                W.Saved.ScreenOrientation = item.value;
                SaveSettings();
            }
            break;
        case ActionWindowed:
            if (item.value != W.Saved.Windowed) {
                W.Saved.Windowed = item.value;
                W.Host.DisplayResetRequest = 1;
                SaveSettings();
            }
            break;
        case ActionMusicVolume:
        case ActionEffectsVolume: {
            int32_t& volume = item.action == ActionMusicVolume ? Options.MusicVolume : Options.EffectsVolume;
            if (item.value == volume) break;
            volume = item.value;
            SaveOptions();
            ApplyVolumes();
            // Heard at once: the music plays on at the new volume; an effect sounds at the new one.
            if (item.action == ActionEffectsVolume) PlaySound(Sound::EnergyCollected);
            break;
        }
        case ActionEffects:
            if (item.value != Options.EffectsSetting) {
                Options.EffectsSetting = item.value;
                SaveOptions();
            }
            break;
        case ActionResolution:
            // The item's values are the table's indices, then native, so its label always names the mode in use.
            // quivex.cfg changes only with a fixed resolution, options.cfg only with native's coming or going.
            if (item.value >= 0 && item.value < kResolutionChoices && item.value != ResolutionChoice()) {
                const int32_t wasNative = Options.ResolutionNative, wasIndex = W.Saved.ResolutionIndex;
                SetResolutionChoice(item.value);
                W.Host.DisplayResetRequest = 1;
                if (W.Saved.ResolutionIndex != wasIndex) SaveSettings();
                if (Options.ResolutionNative != wasNative) SaveOptions();
            }
            break;
        case ActionSmoothing:
            if (item.value != Options.SmoothingSetting) {
                Options.SmoothingSetting = item.value;
                W.Host.SmoothingRequest = 1;
                SaveOptions();
            }
            break;
        default:
            break;
    }
}

void SelectItem(const MenuItem& item) {
    const int value = item.value;
    switch (item.action) {
        case ActionStartGame:
            StartFromMenu(StartFullGame, 0);
            break;
        case ActionGoToPage:
            W.Program.SpeedSetting = 0;
            BuildMenu(value);
            break;
        case ActionQuit:
            W.Program.GameMode = Mode::Quitting;
            break;
        case ActionWatchReplay:
        case ActionWatchRecord:
            if (value >= 0 && value < kReplayFiles && W.Host.ReplayAvailable[value]) W.Host.WatchReplayRequest = value;
            break;
        case ActionPracticeLevel:
            if (W.Saved.PracticeUnlocked[W.Game.CurrentLevel]) StartFromMenu(StartLevelPractice, W.Game.CurrentLevel);
            break;
        case ActionPracticeBoss:
            if (W.Saved.BossUnlocked[W.Game.CurrentLevel]) StartFromMenu(StartBossPractice, W.Game.CurrentLevel);
            break;
        case ActionRedefine:
            W.CaptureTarget = value;
            W.Program.GameMode = Mode::CaptureBinding;
            break;
        case ActionSaveBindings:
            for (int i = 0; i < kBindingSlots; ++i) W.Saved.Bindings[i] = W.PendingBindings[i];
            SaveSettings();
            BuildMenu(value);
            break;
        case ActionBossRush:
            if (W.Saved.BossRushUnlocked) StartFromMenu(StartBossRush, 0);
            break;
        default:
            break;
    }
}

void RecordItems() {
    char text[kMenuTextBytes], time[16];
    if (Records.fullLevel == kFullGameCleared) std::snprintf(text, sizeof text, "full game   cleared");
    else if (Records.fullLevel > 0) std::snprintf(text, sizeof text, "full game   level %d", static_cast<int>(Records.fullLevel));
    else std::snprintf(text, sizeof text, "full game   -");
    Item(text, ActionWatchRecord, ReplayBest, 0);
    for (int l = 0; l < kLevelCount; ++l) {
        if (Records.levelCollected[l] >= 0)
            std::snprintf(text, sizeof text, "level %d   %d of %d   held %d", l + 1, static_cast<int>(Records.levelCollected[l]),
                          static_cast<int>(kLevelEnergy[l]), static_cast<int>(Records.levelHeld[l] < 0 ? 0 : Records.levelHeld[l]));
        else std::snprintf(text, sizeof text, "level %d   -", l + 1);
        Item(text, ActionWatchRecord, ReplayLevel1 + l, 0);
    }
    for (int l = 0; l < kLevelCount; ++l) {
        FormatRecordTime(time, sizeof time, Records.bossFrames[l]);
        if (Records.bossFrames[l] > 0)
            std::snprintf(text, sizeof text, "boss %d   %s s%s", l + 1, time, Records.boss30Hz[l] ? "   30 hz" : "");
        else std::snprintf(text, sizeof text, "boss %d   -", l + 1);
        Item(text, ActionWatchRecord, ReplayBoss1 + l, 0);
    }
    FormatRecordTime(time, sizeof time, Records.rushFrames, true);
    if (Records.rushFrames > 0)
        std::snprintf(text, sizeof text, "boss rush   %s%s", time, Records.rush30Hz ? "   30 hz" : "");
    else std::snprintf(text, sizeof text, "boss rush   -");
    Item(text, ActionWatchRecord, ReplayRush, 0);
}

}  // namespace

const char* ResolutionLabel(int value) {
    return value >= 0 && value < kResolutionChoices ? kResolutionLabels[value] : nullptr;
}

const char* MenuTitle() {
    if (W.MenuItemCount == 0) return "";
    switch (W.MenuPage) {
        case PageMain: return "main menu";
        case PagePractice: return "practice";
        case PageOptions: return "options";
        case PageCredits: return "credits";
        case PageReplays: return "replays";
        case PageRecords: return "records";
        case PageRedefine: return "redefine input";
        default: return "";
    }
}

void BuildMenu(int page) {
    W.MenuItemCount = 0;
    W.MenuPage = page;
    W.MenuCursor = 0;
    switch (page) {
        case PageMain:
            Item("start game", ActionStartGame, 0, 0);
            Item("practice", ActionGoToPage, PagePractice, 0);
            Item("boss rush", ActionBossRush, 0, 0);
            Item("options", ActionGoToPage, PageOptions, 0);  // the only way in to the options page
            Item("replays", ActionGoToPage, PageReplays, 0);
            Item("records", ActionGoToPage, PageRecords, 0);
            Item("quit game", ActionQuit, 0, 0);
            break;
        case PagePractice:
            Item("hertz:", ActionSpeed, 0, 2);
            Item("start level:", ActionPracticeLevel, 0, 4);
            Item("start boss:", ActionPracticeBoss, 0, 4);
            Item("back to main", ActionGoToPage, PageMain, 0);
            break;
        case PageOptions:
            Item("display:", ActionDisplay, W.Saved.ScreenOrientation, 3);
            Item("windowed:", ActionWindowed, W.Saved.Windowed, 2);
            Item("resolution:", ActionResolution, ResolutionChoice(), kResolutionChoices);
            Item("effects:", ActionEffects, Options.EffectsSetting, kEffectsChoices);
            Item("smoothing:", ActionSmoothing, Options.SmoothingSetting, kSmoothingChoices);
            Item("redefine input", ActionGoToPage, PageRedefine, 0);
            Item("view credits", ActionGoToPage, PageCredits, 0);
            Item("music volume:", ActionMusicVolume, Options.MusicVolume, kVolumeSteps + 1);
            Item("effects volume:", ActionEffectsVolume, Options.EffectsVolume, kVolumeSteps + 1);
            Item("back to main", ActionGoToPage, PageMain, 0);
            break;
        case PageCredits:
            Item("back to options", ActionGoToPage, PageOptions, 0);
            break;
        case PageReplays:
            FindReplays();
            Item("watch last game", ActionWatchReplay, 0, 0);
            Item("watch best game", ActionWatchReplay, 1, 0);
            Item("back", ActionGoToPage, PageMain, 0);
            break;
        case PageRecords:
            FindReplays();
            RecordItems();
            Item("back", ActionGoToPage, PageMain, 0);
            break;
        case PageRedefine:
            Item("ship up:", ActionRedefine, 0, 0);
            Item("ship down:", ActionRedefine, 1, 0);
            Item("ship left:", ActionRedefine, 2, 0);
            Item("ship right:", ActionRedefine, 3, 0);
            Item("ship fire:", ActionRedefine, 4, 0);
            Item("ship shield:", ActionRedefine, 5, 0);
            Item("pause game:", ActionRedefine, 6, 0);
            Item("save changes and return", ActionSaveBindings, PageOptions, 0);
            Item("back and cancel changes", ActionGoToPage, PageOptions, 0);
            break;
        default:
            // No such page: an empty one would leave the cursor nowhere, so show the main menu.
            BuildMenu(PageMain);
            return;
    }
}

void UpdateMenu() {
    if (W.Host.ReplayUnreadableTimer > 0) --W.Host.ReplayUnreadableTimer;
    if (W.Host.MenuUpRequest) --W.MenuCursor;
    if (W.Host.MenuDownRequest) ++W.MenuCursor;
    W.MenuCursor = Clamp(W.MenuCursor, 0, W.MenuItemCount > 0 ? W.MenuItemCount - 1 : 0);

    if (W.MenuItemCount > 0) {
        MenuItem& item = W.MenuItems[W.MenuCursor];
        if (item.count != 0) {
            if (W.Host.MenuLeftRequest) --item.value;
            if (W.Host.MenuRightRequest) ++item.value;
            item.value = Clamp(item.value, 0, item.count - 1);
        }
        ApplyItem(item);
        // A selection may rebuild the page; the item is copied so the action reads what was selected.
        if (W.Host.MenuSelectRequest) {
            MenuItem selected = item;
            SelectItem(selected);
        }
    }
    ClearMenuRequests();
}

void RefreshMenuValues() {
    for (int i = 0; i < W.MenuItemCount; ++i)
        if (W.MenuItems[i].action == ActionWindowed) W.MenuItems[i].value = W.Saved.Windowed;
}


void ClearMenuRequests() {
    W.Host.MenuUpRequest = W.Host.MenuDownRequest = W.Host.MenuLeftRequest = W.Host.MenuRightRequest = W.Host.MenuSelectRequest = 0;
}

void ResetMenu() {
    for (int32_t& available : W.Host.ReplayAvailable) available = 0;
    W.Host.WatchReplayRequest = -1;
    W.Host.ReplayUnreadableTimer = 0;
    W.MenuPage = 0;
    W.MenuItems = {};
    W.MenuItemCount = 0;
    W.MenuCursor = 0;
}
