#include "platform/dialogs/dialogs_headless.h"

#include <cstdio>

namespace plat {

void HeadlessDialogs::Reset() { *this = HeadlessDialogs(); }

bool HeadlessDialogs::NextStep(DialogStep& step) {
    if (next >= script.size()) return false;
    step = script[next++];
    return true;
}

void HeadlessDialogs::Error(const char* what, const DialogStep& step) {
    char text[96];
    std::snprintf(text, sizeof text, "step %zu (kind %d, %d, %d): %s", next - 1, static_cast<int>(step.kind),
                  step.a, step.b, what);
    errors.push_back(text);
}

namespace {
bool InRange(const ChoiceList& list, int position) {
    return position >= 0 && position < static_cast<int>(list.entries.size());
}
}  // namespace

LauncherResult HeadlessDialogs::RunLauncher(LauncherHandler& handler) {
    if (unavailable) return LauncherResult::Unavailable;
    ++launchersShown;
    launcher = handler.Open();
    DialogStep step;
    while (NextStep(step)) {
        switch (step.kind) {
            case DialogStep::SelectResolution:
                if (InRange(launcher.resolutions, step.a)) launcher.resolutions.selected = step.a;
                else Error("no such resolution entry", step);
                break;
            case DialogStep::SelectScreenMode:
                if (InRange(launcher.screenModes, step.a)) launcher.screenModes.selected = step.a;
                else Error("no such screen mode entry", step);
                break;
            case DialogStep::ClickWindowed: launcher.windowed = !launcher.windowed; break;
            case DialogStep::SetControls: launcher.info = handler.SetControls(); break;
            case DialogStep::ClearAll: launcher.info = handler.ClearAll(); break;
            case DialogStep::Launch:
                handler.Launch(launcher.resolutions.selected, launcher.windowed, launcher.screenModes.selected);
                return LauncherResult::Launch;
            case DialogStep::Close: return LauncherResult::Closed;
            default: Error("not a launcher step", step); break;
        }
    }
    handler.Launch(launcher.resolutions.selected, launcher.windowed, launcher.screenModes.selected);
    return LauncherResult::Launch;
}

void HeadlessDialogs::RunControls(ControlsHandler& handler) {
    ++controlsShown;
    controls = handler.Open();
    joypadListsEnabled = controls.joypadEnabled;
    DialogStep step;
    while (NextStep(step)) {
        switch (step.kind) {
            case DialogStep::ClickJoypad:
                controls.joypadEnabled = !controls.joypadEnabled;
                joypadListsEnabled = handler.JoypadClicked(controls.joypadEnabled);
                break;
            case DialogStep::Choose: {
                if (step.a < 0 || step.a >= kControlLists) {
                    Error("no such list", step);
                    break;
                }
                ChoiceList& list = controls.lists[step.a];
                int found = -1;
                for (size_t i = 0; i < list.entries.size() && found < 0; ++i)
                    if (list.entries[i].data == step.b) found = static_cast<int>(i);
                if (found < 0) Error("code not in the list", step);
                else if (step.a < 6 && !joypadListsEnabled) Error("joypad list disabled", step);
                else list.selected = found;
                break;
            }
            case DialogStep::Ok: {
                int selected[kControlLists];
                for (int i = 0; i < kControlLists; ++i) selected[i] = controls.lists[i].selected;
                handler.Ok(selected);
                return;
            }
            case DialogStep::Cancel:
            case DialogStep::Close: return;
            default: Error("not a controls dialog step", step); break;
        }
    }
}

bool HeadlessDialogs::Confirm(const char* caption, const char* text) {
    confirms.push_back(std::string(caption) + "|" + text);
    DialogStep step;
    if (!NextStep(step)) return false;
    if (step.kind == DialogStep::ConfirmOk) return true;
    if (step.kind != DialogStep::ConfirmCancel) Error("a message box wanted an answer", step);
    return false;
}

}  // namespace plat
