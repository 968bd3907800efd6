#pragma once
// Dialogs that answer from a script the test queues, and remember what they showed.
#include <string>
#include <vector>

#include "platform/dialogs/dialogs.h"

namespace plat {

struct DialogStep {
    enum Kind {
        // launcher
        SelectResolution,  // a = position
        SelectScreenMode,  // a = position
        ClickWindowed,
        SetControls,
        ClearAll,
        Launch,
        Close,  // from the frame
        // controls dialog
        ClickJoypad,
        Choose,  // a = list (0..11), b = the entry's InputCode
        Ok,
        Cancel,
        // the message box of "clear all"
        ConfirmOk,
        ConfirmCancel,
    } kind;
    int a = 0, b = 0;
};

class HeadlessDialogs : public Dialogs {
public:
    LauncherResult RunLauncher(LauncherHandler& handler) override;
    void RunControls(ControlsHandler& handler) override;
    bool Confirm(const char* caption, const char* text) override;
    int OpenGLVersion() override { return glVersion; }

    void Queue(DialogStep::Kind kind, int a = 0, int b = 0) { script.push_back({kind, a, b}); }
    void Reset();

    // When the script runs out the launcher launches, the controls dialog cancels and a message box
    // answers Cancel, so a start-up with nothing queued goes straight on with the loaded settings.
    std::vector<DialogStep> script;
    size_t next = 0;
    bool unavailable = false;
    int glVersion = 33;

    int launchersShown = 0, controlsShown = 0;
    LauncherContent launcher;  // as on screen, selections following the script
    ControlsContent controls;
    bool joypadListsEnabled = false;
    std::vector<std::string> confirms;  // "caption|text"
    std::vector<std::string> errors;    // steps that could not be carried out where they came

private:
    bool NextStep(DialogStep& step);
    void Error(const char* what, const DialogStep& step);
};

}  // namespace plat
