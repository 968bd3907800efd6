#include "frontend/update.h"

#include "frontend/menu.h"
#include "game/game_flow.h"
#include "game/level_state.h"
#include "game/ship.h"
#include "game/ship_control.h"
#include "game/weapons.h"
#include "shell/bindings.h"
#include "world/sounds.h"
#include "world/world.h"

namespace {

bool EscapeNewlyPressed(const Controls& c) { return c.escape && W.EscapeLatch == 0; }

void UnlockCombination(const Controls& c) {
    if (!(c.f9 && c.f12 && W.Program.GameMode == Mode::Menu && W.MenuPage == 0)) return;
    if (W.Program.UnlockCheatUsed == 0) PlaySound(Sound::Bonus);
    W.Program.UnlockCheatUsed = 1;
    for (int i = 0; i < kLevelCount; ++i) W.Saved.PracticeUnlocked[i] = W.Saved.BossUnlocked[i] = 1;
    W.Saved.BossRushUnlocked = 1;
}

void MenuKeys(const Controls& c) {
    if (EscapeNewlyPressed(c)) {
        W.Program.GameMode = Mode::Quitting;
        W.EscapeLatch = 1;
    }
    // One press gives exactly one request; the earlier query wins when several are held.
    struct Key {
        bool held;
        int32_t* request;
    };
    const Key keys[] = {{c.up, &W.Host.MenuUpRequest},     {c.down, &W.Host.MenuDownRequest},   {c.left, &W.Host.MenuLeftRequest},
                        {c.right, &W.Host.MenuRightRequest}, {c.fire, &W.Host.MenuSelectRequest}, {c.enter, &W.Host.MenuSelectRequest}};
    bool any = false;
    for (const Key& key : keys) {
        if (!key.held) continue;
        any = true;
        if (W.MenuKeyLatch == 0) {
            *key.request = 1;
            W.MenuKeyLatch = 1;
        }
    }
    if (!any) W.MenuKeyLatch = 0;
}

bool PauseToggle(const Controls& c, int32_t toMode) {
    if (!c.pause) {
        W.PauseLatch = 0;
        return false;
    }
    if (W.PauseLatch != 0) return false;
    W.Program.GameMode = toMode;
    W.PauseLatch = 1;
    return true;
}

void PlayingKeys(const Controls& c) {
    if (EscapeNewlyPressed(c)) {
        StopMusic();
        W.Program.GameMode = Mode::Menu;
        W.Level.LevelTitleTimer = 0;
        W.EscapeLatch = 1;
    }
    PauseToggle(c, Mode::Paused);
    if (W.Level.ReportShowing) {
        W.MenuKeyLatch = 1;
        W.FireLatch = 0;
        W.MainGunTimer = W.SideGunTimer = W.RearGunTimer = 0;
        return;
    }
    if (!ShipAlive) return;
    ControlShip({c.up, c.down, c.left, c.right, c.fire, c.shield});
}

void PausedKeys(const Controls& c) {
    if (EscapeNewlyPressed(c)) {
        StopMusic();
        W.Program.GameMode = Mode::Menu;
        W.EscapeLatch = 1;
    }
    PauseToggle(c, Mode::Playing);
}

void CaptureKeys(const Controls& c) {
    if (EscapeNewlyPressed(c)) {
        W.EscapeLatch = 1;
        W.Program.GameMode = Mode::Menu;
        W.CaptureArmed = 0;
        return;
    }
    // The fire key that chose the row must be let go before anything is captured.
    if (!c.keyFire && W.CaptureArmed == 0) W.CaptureArmed = 1;
    const int code = c.anyInput;
    if (W.CaptureArmed == 1 && code != -1) {
        if (W.CaptureTarget >= 0 && W.CaptureTarget <= 5) W.PendingBindings[W.CaptureTarget] = code;
        else if (W.CaptureTarget == 6) W.PendingBindings[SlotPause] = code;
        W.Program.GameMode = Mode::Menu;
        W.CaptureArmed = 0;
    }
}

}  // namespace

void ApplyControls(const Controls& c) {
    if (c.f1) W.Host.FastForward = 0;
    if (c.f2) W.Host.FastForward = 1;
    UnlockCombination(c);
    if (!c.escape) W.EscapeLatch = 0;
    switch (W.Program.GameMode) {
        case Mode::Menu: MenuKeys(c); break;
        case Mode::Playing: PlayingKeys(c); break;
        case Mode::Paused: PausedKeys(c); break;
        case Mode::CaptureBinding: CaptureKeys(c); break;
        default: break;
    }
}

void UpdateFrame() {
    switch (W.Program.GameMode) {
        case Mode::Playing:
            if (W.Game.Lives == 0) GameOverSequence();
            PlayingFrame();
            break;
        case Mode::Menu: UpdateMenu(); break;
        case Mode::Paused:
            PausedFrame();
            break;
        default:
            break;
    }
}
