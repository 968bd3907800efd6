#pragma once
// The launcher and the controls dialog: what they show and what each command does to the game
// variables and the settings file. The platform's dialogs only draw them and pass the commands on.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialogs/dialogs.h"

// Shows the launcher; false when it was closed without "launch" (the program then ends).
bool RunLauncher();
// The graphics runtime as the info text judges it: 0x801 for OpenGL 3.3 or newer, lower for older, 0 for none.
int DirectXVersion();
// The launcher's info text: the keyboard bindings, or a warning when the graphics runtime is too old.
std::string BuildInfoText();

// The binding slot each list of the controls dialog edits.
extern const int kControlListSlots[plat::kControlLists];

// The entries for a slot with its binding selected. A binding that is not among the codes is added at the
// end, so OK never loses it.
plat::ChoiceList BindingChoices(const std::vector<int32_t>& codes, int32_t binding);

class LauncherModel : public plat::LauncherHandler {
public:
    plat::LauncherContent Open() override;
    void Launch(int resolution, bool windowed, int screenMode) override;
    std::string SetControls() override;
    std::string ClearAll() override;
};

class ControlsModel : public plat::ControlsHandler {
public:
    plat::ControlsContent Open() override;
    bool JoypadClicked(bool checked) override;
    void Ok(const int selected[plat::kControlLists]) override;

private:
    plat::ControlsContent shown_;  // what Open() handed out: OK maps positions back through it
};

constexpr char kClearAllCaption[] = "Clear All";
constexpr char kClearAllText[] =
    "This will reset all display and key settings\nto default and clear the game hiscore tables.\n\nAre you sure?";
