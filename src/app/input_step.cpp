#include "app/input_step.h"

#include "app/replay.h"
#include "audio/audio.h"
#include "frontend/frontend.h"
#include "game/level_state.h"
#include "game/ship.h"
#include "game/ship_control.h"
#include "game/weapons.h"
#include "shell/bindings.h"
#include "input/devices.h"
#include "world/world.h"

namespace {

bool EscapeNewlyPressed() { return IsInputDown(KeyEscape) && W.EscapeLatch == 0; }

void UnlockCombination() {
    if (!(IsInputDown(KeyF9) && IsInputDown(KeyF12) && W.Program.GameMode == Mode::Menu && W.MenuPage == 0)) return;
    if (W.Program.UnlockCheatUsed == 0) PlaySound(Sound::Bonus);
    W.Program.UnlockCheatUsed = 1;
    for (int i = 0; i < kLevelCount; ++i) W.Saved.PracticeUnlocked[i] = W.Saved.BossUnlocked[i] = 1;
    W.Saved.BossRushUnlocked = 1;
}

void MenuKeys() {
    if (EscapeNewlyPressed()) {
        W.Program.GameMode = Mode::Quitting;
        W.EscapeLatch = 1;
    }
    // One press gives exactly one request; the earlier query wins when several are held.
    struct Key {
        bool (*held)();
        int32_t* request;
    };
    static const Key keys[] = {{UpHeld, &MenuUpRequest},     {DownHeld, &MenuDownRequest},
                               {LeftHeld, &MenuLeftRequest}, {RightHeld, &MenuRightRequest},
                               {FireHeld, &MenuSelectRequest}, {ReturnHeld, &MenuSelectRequest}};
    bool any = false;
    for (const Key& key : keys) {
        if (!key.held()) continue;
        any = true;
        if (W.MenuKeyLatch == 0) {
            *key.request = 1;
            W.MenuKeyLatch = 1;
        }
    }
    if (!any) W.MenuKeyLatch = 0;
}

bool PauseToggle(int32_t toMode) {
    if (!IsInputDown(W.Saved.Bindings[SlotPause])) {
        W.PauseLatch = 0;
        return false;
    }
    if (W.PauseLatch != 0) return false;
    W.Program.GameMode = toMode;
    W.PauseLatch = 1;
    return true;
}

void PlayingKeys() {
    if (EscapeNewlyPressed()) {
        StopMusic();
        W.Program.GameMode = Mode::Menu;
        W.Level.LevelTitleTimer = 0;
        W.EscapeLatch = 1;
    }
    PauseToggle(Mode::Paused);
    if (W.Level.ReportShowing) {
        W.MenuKeyLatch = 1;
        W.FireLatch = 0;
        W.MainGunTimer = W.SideGunTimer = W.RearGunTimer = 0;
        return;
    }
    if (!ShipAlive) return;
    ControlShip({UpHeld(), DownHeld(), LeftHeld(), RightHeld(), FireHeld(), ShieldHeld()});
}

void PausedKeys() {
    if (EscapeNewlyPressed()) {
        StopMusic();
        W.Program.GameMode = Mode::Menu;
        W.EscapeLatch = 1;
    }
    PauseToggle(Mode::Playing);
}

void CaptureKeys() {
    if (EscapeNewlyPressed()) {
        W.EscapeLatch = 1;
        W.Program.GameMode = Mode::Menu;
        W.CaptureArmed = 0;
        return;
    }
    // The fire key that chose the row must be let go before anything is captured.
    if (!IsInputDown(W.Saved.Bindings[SlotKeyFire]) && W.CaptureArmed == 0) W.CaptureArmed = 1;
    int code = ScanAnyInput();
    if (W.CaptureArmed == 1 && code != -1) {
        if (W.CaptureTarget >= 0 && W.CaptureTarget <= 5) W.PendingBindings[W.CaptureTarget] = code;
        else if (W.CaptureTarget == 6) W.PendingBindings[SlotPause] = code;
        W.Program.GameMode = Mode::Menu;
        W.CaptureArmed = 0;
    }
}

}  // namespace

void InputStep() {
    // While a replay is watched the viewer has read the player's own controls already (replay_viewer).
    if (!PlaybackActive() || !PlaybackInput()) PollInputDevices();
    RecordFrameInput();
    if (IsInputDown(KeyF1)) W.Host.FastForward = 0;
    if (IsInputDown(KeyF2)) W.Host.FastForward = 1;
    UnlockCombination();
    if (!IsInputDown(KeyEscape)) W.EscapeLatch = 0;
    switch (W.Program.GameMode) {
        case Mode::Menu: MenuKeys(); break;
        case Mode::Playing: PlayingKeys(); break;
        case Mode::Paused: PausedKeys(); break;
        case Mode::CaptureBinding: CaptureKeys(); break;
        default: break;
    }
}

