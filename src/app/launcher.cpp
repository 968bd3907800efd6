#include "app/launcher.h"

#include <cstdio>

#include "game/records.h"
#include "images/images.h"
#include "shell/bindings.h"
#include "input/control_lists.h"
#include "input/key_names.h"
#include "platform/platform.h"
#include "shell/error_log.h"
#include "world/world.h"
#include "shell/options.h"
#include "shell/settings.h"


const int kControlListSlots[plat::kControlLists] = {
    SlotPadUp, SlotPadDown, SlotPadLeft, SlotPadRight, SlotPadFire, SlotPadShield,
    SlotKeyUp, SlotKeyDown, SlotKeyLeft, SlotKeyRight, SlotKeyFire, SlotKeyShield,
};

namespace {

constexpr int kFirstKeyboardList = 6;

constexpr char kResolutionNames[kResolutionChoices][16] = {
    "640x480 32bit", "800x600 32bit", "1024x768 32bit", "1280x720 32bit", "1280x1024 32bit", "1600x1200 32bit",
    "native",
};
constexpr char kScreenModeNames[3][11] = {"vertical", "horizontal", "rotated"};

std::string Name(int32_t code) {
    char name[kKeyNameBuffer];
    KeyName(code, name, sizeof name);
    return name;
}

template <size_t Length>
plat::ChoiceList Positions(const char (*names)[Length], int count, int32_t selected) {
    plat::ChoiceList list;
    for (int i = 0; i < count; ++i) list.entries.push_back({names[i], i});
    list.selected = selected >= 0 && selected < count ? selected : -1;
    return list;
}

bool JoypadOn() { return W.Saved.Bindings[SlotJoypadEnabled] == 1; }

}  // namespace

int DirectXVersion() {
    int gl = plat::dialogs().OpenGLVersion();
    if (gl >= 33) return 0x801;
    if (gl >= 30) return 0x800;
    if (gl >= 20) return 0x700;
    if (gl >= 10) return 0x600;
    return 0;
}

std::string BuildInfoText() {
    int version = DirectXVersion();
    char line[kKeyNameBuffer + 32];
    if (version < 0x801) {
        std::snprintf(line, sizeof line, "DX version: %x\nyou might have problems, get the latest version of directX",
                      version);
        return line;
    }
    static constexpr char kActions[6][7] = {"up", "down", "left", "right", "fire", "shield"};
    std::string text;
    for (int slot = SlotKeyUp; slot <= SlotKeyShield; ++slot) {
        std::snprintf(line, sizeof line, "%s: %s\n", kActions[slot], Name(W.Saved.Bindings[slot]).c_str());
        text += line;
    }
    text += JoypadOn() ? "(joypad enabled)" : "(joypad disabled)";
    return text;
}

plat::ChoiceList BindingChoices(const std::vector<int32_t>& codes, int32_t binding) {
    plat::ChoiceList list;
    for (int32_t code : codes) {
        if (code == binding) list.selected = static_cast<int>(list.entries.size());
        list.entries.push_back({Name(code), code});
    }
    if (list.selected < 0) {
        // A keyboard slot may hold a joystick input (the in-game capture allows it) or a code without a name.
        std::string text = Name(binding);
        if (text.empty()) {
            char code[24];
            std::snprintf(code, sizeof code, "code %d", static_cast<int>(binding));
            text = code;
        }
        list.selected = static_cast<int>(list.entries.size());
        list.entries.push_back({text, binding});
    }
    return list;
}

plat::LauncherContent LauncherModel::Open() {
    plat::LauncherContent content;
    content.picture = LauncherBmp;
    content.pictureSize = LauncherBmpSize;
    content.info = BuildInfoText();
    content.resolutions = Positions(kResolutionNames, kResolutionChoices, ResolutionChoice());
    content.screenModes = Positions(kScreenModeNames, 3, W.Saved.ScreenOrientation);
    content.windowed = W.Saved.Windowed != 0;
    return content;
}

void LauncherModel::Launch(int resolution, bool windowed, int screenMode) {
    // Nothing selected (cannot happen with a filled list) keeps the loaded value.
    if (resolution >= 0 && resolution < kResolutionChoices) SetResolutionChoice(resolution);
    LogError("combo pos (resolution): %d\n", ResolutionChoice());
    W.Saved.Windowed = windowed ? 1 : 0;
    LogError("   checkbox (windowed): %d\n", W.Saved.Windowed);
    if (screenMode >= 0 && screenMode < 3) W.Saved.ScreenOrientation = screenMode;
    LogError("tate mode: %d\n", W.Saved.ScreenOrientation);
}

std::string LauncherModel::SetControls() {
    ControlsModel controls;
    plat::dialogs().RunControls(controls);
    return BuildInfoText();
}

std::string LauncherModel::ClearAll() {
    if (plat::dialogs().Confirm(kClearAllCaption, kClearAllText)) {
        LogError("all settings deleted\n");
        if (DeleteSettingsFile()) LoadSettings();
        ResetOptions();
        SaveOptions();
        ClearRecords();
    }
    // The display choices on screen stay as they are (launch takes them), but the bindings shown must not
    // go on naming keys that are no longer bound.
    return BuildInfoText();
}

plat::ControlsContent ControlsModel::Open() {
    const std::vector<int32_t> keyboard = KeyboardListCodes();
    const std::vector<int32_t> joypad = JoypadListCodes();
    shown_ = plat::ControlsContent();
    shown_.joypadEnabled = JoypadOn();
    for (int i = 0; i < plat::kControlLists; ++i)
        shown_.lists[i] = BindingChoices(i < kFirstKeyboardList ? joypad : keyboard, W.Saved.Bindings[kControlListSlots[i]]);
    return shown_;
}

bool ControlsModel::JoypadClicked(bool checked) {
    // Stands even if the dialog is cancelled; it reaches the file with the next save of any kind.
    W.Saved.Bindings[SlotJoypadEnabled] = checked ? 1 : 0;
    return checked;
}

void ControlsModel::Ok(const int selected[plat::kControlLists]) {
    for (int i = 0; i < plat::kControlLists; ++i) {
        const plat::ChoiceList& list = shown_.lists[i];
        int pos = selected[i];
        // A list left without a selection keeps its binding rather than taking a meaningless code.
        if (pos >= 0 && pos < static_cast<int>(list.entries.size()))
            W.Saved.Bindings[kControlListSlots[i]] = list.entries[pos].data;
    }
    SaveSettings();
}

bool RunLauncher() {
    LogError("in\n");
    LauncherModel model;
    plat::LauncherResult result = plat::dialogs().RunLauncher(model);
    if (result == plat::LauncherResult::Closed) return false;
    // Without a display there is nothing to ask; the loaded settings launch, and the window reports the rest.
    if (result == plat::LauncherResult::Unavailable) LogError("launcher not shown\n");
    LogError("out\n");
    return true;
}
