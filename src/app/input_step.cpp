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
#include "shell/game_vars.h"

namespace {

bool EscapeNewlyPressed() { return IsInputDown(KeyEscape) && EscapeLatch == 0; }

void UnlockCombination() {
    if (!(IsInputDown(KeyF9) && IsInputDown(KeyF12) && Program.GameMode == Mode::Menu && MenuPage == 0)) return;
    if (Program.UnlockCheatUsed == 0) PlaySound(Sound::Bonus);
    Program.UnlockCheatUsed = 1;
    for (int i = 0; i < kLevelCount; ++i) Saved.PracticeUnlocked[i] = Saved.BossUnlocked[i] = 1;
    Saved.BossRushUnlocked = 1;
}

void MenuKeys() {
    if (EscapeNewlyPressed()) {
        Program.GameMode = Mode::Quitting;
        EscapeLatch = 1;
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
        if (MenuKeyLatch == 0) {
            *key.request = 1;
            MenuKeyLatch = 1;
        }
    }
    if (!any) MenuKeyLatch = 0;
}

bool PauseToggle(int32_t toMode) {
    if (!IsInputDown(Saved.Bindings[SlotPause])) {
        PauseLatch = 0;
        return false;
    }
    if (PauseLatch != 0) return false;
    Program.GameMode = toMode;
    PauseLatch = 1;
    return true;
}

void PlayingKeys() {
    if (EscapeNewlyPressed()) {
        StopMusic();
        Program.GameMode = Mode::Menu;
        Level.LevelTitleTimer = 0;
        EscapeLatch = 1;
    }
    PauseToggle(Mode::Paused);
    if (Level.ReportShowing) {
        MenuKeyLatch = 1;
        FireLatch = 0;
        MainGunTimer = SideGunTimer = RearGunTimer = 0;
        return;
    }
    if (!ShipAlive) return;
    ControlShip({UpHeld(), DownHeld(), LeftHeld(), RightHeld(), FireHeld(), ShieldHeld()});
}

void PausedKeys() {
    if (EscapeNewlyPressed()) {
        StopMusic();
        Program.GameMode = Mode::Menu;
        EscapeLatch = 1;
    }
    PauseToggle(Mode::Playing);
}

void CaptureKeys() {
    if (EscapeNewlyPressed()) {
        EscapeLatch = 1;
        Program.GameMode = Mode::Menu;
        CaptureArmed = 0;
        return;
    }
    // The fire key that chose the row must be let go before anything is captured.
    if (!IsInputDown(Saved.Bindings[SlotKeyFire]) && CaptureArmed == 0) CaptureArmed = 1;
    int code = ScanAnyInput();
    if (CaptureArmed == 1 && code != -1) {
        if (CaptureTarget >= 0 && CaptureTarget <= 5) PendingBindings[CaptureTarget] = code;
        else if (CaptureTarget == 6) PendingBindings[SlotPause] = code;
        Program.GameMode = Mode::Menu;
        CaptureArmed = 0;
    }
}

}  // namespace

void InputStep() {
    // While a replay is watched the viewer has read the player's own controls already (replay_viewer).
    if (!PlaybackActive() || !PlaybackInput()) PollInputDevices();
    RecordFrameInput();
    if (IsInputDown(KeyF1)) Program.FastForward = 0;
    if (IsInputDown(KeyF2)) Program.FastForward = 1;
    UnlockCombination();
    if (!IsInputDown(KeyEscape)) EscapeLatch = 0;
    switch (Program.GameMode) {
        case Mode::Menu: MenuKeys(); break;
        case Mode::Playing: PlayingKeys(); break;
        case Mode::Paused: PausedKeys(); break;
        case Mode::CaptureBinding: CaptureKeys(); break;
        default: break;
    }
}

