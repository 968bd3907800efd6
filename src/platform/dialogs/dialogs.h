#pragma once
// The launcher and the controls dialog. The game says what they show and decides what every command
// does; a backend only draws them and hands the user's choices back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

struct ChoiceEntry {
    std::string text;
    int32_t data;  // what the game gets back for this entry
};

struct ChoiceList {
    std::vector<ChoiceEntry> entries;
    int selected = -1;  // position, -1 for none
};

struct LauncherContent {
    const unsigned char* picture = nullptr;  // a BMP file in memory
    size_t pictureSize = 0;
    ChoiceList resolutions;
    ChoiceList screenModes;
    bool windowed = false;
    std::string info;
};

// The game's side of the launcher.
class LauncherHandler {
public:
    virtual ~LauncherHandler() = default;
    virtual LauncherContent Open() = 0;
    // "launch", with the positions and the check state on screen.
    virtual void Launch(int resolution, bool windowed, int screenMode) = 0;
    // "set controls" and "clear all"; each returns the info text to show afterwards.
    virtual std::string SetControls() = 0;
    virtual std::string ClearAll() = 0;
};

// Joypad up, down, left, right, shoot, shield, then the keyboard's six in the same order.
constexpr int kControlLists = 12;

struct ControlsContent {
    bool joypadEnabled = false;
    ChoiceList lists[kControlLists];
};

// The game's side of the controls dialog.
class ControlsHandler {
public:
    virtual ~ControlsHandler() = default;
    virtual ControlsContent Open() = 0;
    // The check box was clicked; returns whether the joypad lists are enabled now.
    virtual bool JoypadClicked(bool checked) = 0;
    // "OK", with the selected position of every list.
    virtual void Ok(const int selected[kControlLists]) = 0;
};

enum class LauncherResult { Launch, Closed, Unavailable };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Modal. Unavailable when no dialog can be shown (no display).
    virtual LauncherResult RunLauncher(LauncherHandler& handler) = 0;
    // Modal, owned by the launcher; returns once closed with OK, Cancel or from its frame.
    virtual void RunControls(ControlsHandler& handler) = 0;
    // An OK / Cancel message box owned by the launcher; true for OK.
    virtual bool Confirm(const char* caption, const char* text) = 0;
    // The OpenGL version a new window would get, as major * 10 + minor; 0 when there is none.
    virtual int OpenGLVersion() = 0;
};

}  // namespace plat
