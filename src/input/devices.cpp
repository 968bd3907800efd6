#include "input/devices.h"

#include <cstring>

#include "shell/bindings.h"
#include "world/world.h"
#include "platform/platform.h"
#include "shell/error_log.h"

DeviceState Devices;

namespace {

constexpr int kReacquireTries = 8;  // a device that stays lost is tried again next frame

void Failed(bool ok, const char* step) {
    if (!ok) plat::window().MessageBox(step, "failed", false);
}

bool ActionHeld(int keyboardSlot) {
    if (IsInputDown(W.Saved.Bindings[keyboardSlot])) return true;
    return W.Saved.Bindings[SlotJoypadEnabled] == 1 && IsInputDown(W.Saved.Bindings[keyboardSlot + SlotPadUp]);
}

void TakeUpJoystick(plat::InputDevice& dev) {
    if (!dev.OpenJoystick()) return;
    Devices.JoystickPresent = true;
    LogError("joystick attached\n");
    dev.AcquireJoystick();
}

}  // namespace

void InitInput() {
    plat::InputDevice& dev = plat::input();
    bool created = dev.Init();
    Failed(created, "create directinput8 device");
    bool keyboard = created && dev.CreateKeyboard();
    Failed(keyboard, "create keyboard device");
    Failed(keyboard, "set keyboard data format");
    Failed(keyboard, "Set co-op level for kb");
    Failed(keyboard && dev.AcquireKeyboard(), "acquire keyboard");

    Devices.JoystickPresent = false;
    if (created) TakeUpJoystick(dev);
    for (int i = 0; i < kBindingSlots; ++i) W.PendingBindings[i] = W.Saved.Bindings[i];
}

void PollInputDevices() {
    plat::InputDevice& dev = plat::input();
    // Focus changes lose a device: it is acquired again and this frame keeps the previous state.
    if (dev.ReadKeyboard(Devices.KeyboardState) == plat::ReadResult::Lost)
        for (int i = 0; i < kReacquireTries && !dev.AcquireKeyboard(); ++i) {
        }
    if (!Devices.JoystickPresent) TakeUpJoystick(dev);  // plugged in since the last frame
    if (Devices.JoystickPresent) {
        plat::JoystickState state = Devices.Joystick;
        plat::ReadResult r = dev.ReadJoystick(state);
        if (r == plat::ReadResult::Lost) {
            bool back = false;
            for (int i = 0; i < kReacquireTries && !back; ++i) back = dev.AcquireJoystick();
            if (!back) {
                // Pulled out: nothing stays held, and the next controller plugged in is taken up.
                Devices.JoystickPresent = false;
                Devices.Joystick = plat::JoystickState();
                LogError("joystick detached\n");
                return;
            }
            r = dev.ReadJoystick(state);
        }
        if (r == plat::ReadResult::Ok) Devices.Joystick = state;
    }
}

bool IsInputDown(int code) {
    if (code >= 0 && code <= 255) return (Devices.KeyboardState[code] & 0x80) != 0;
    if (!Devices.JoystickPresent) return false;
    if (code >= kButtonBase && code <= kButtonBase + 127) return Devices.Joystick.buttons[code - kButtonBase] != 0;
    switch (code) {
        case kAxisXMinus: return Devices.Joystick.x < kAxisLow;
        case kAxisXPlus: return Devices.Joystick.x > kAxisHigh;
        case kAxisYMinus: return Devices.Joystick.y < kAxisLow;
        case kAxisYPlus: return Devices.Joystick.y > kAxisHigh;
        default: return false;
    }
}

bool UpHeld() { return ActionHeld(SlotKeyUp); }
bool DownHeld() { return ActionHeld(SlotKeyDown); }
bool LeftHeld() { return ActionHeld(SlotKeyLeft); }
bool RightHeld() { return ActionHeld(SlotKeyRight); }
bool FireHeld() { return ActionHeld(SlotKeyFire); }
bool ShieldHeld() { return ActionHeld(SlotKeyShield); }
bool ReturnHeld() { return IsInputDown(KeyReturn); }

int ScanAnyInput() {
    for (int code = 0; code < 256; ++code) {
        if (code == KeyEscape || code == KeyBackspace || code == KeyReturn || code == KeyLeftAlt) continue;
        if (Devices.KeyboardState[code] & 0x80) return code;
    }
    if (Devices.JoystickPresent) {
        // Button 0 outranks the stick, and the stick outranks buttons 1..127.
        for (int n = 0; n < 128; ++n) {
            if (Devices.Joystick.buttons[n]) return kButtonBase + n;
            if (Devices.Joystick.x < kAxisLow) return kAxisXMinus;
            if (Devices.Joystick.x > kAxisHigh) return kAxisXPlus;
            if (Devices.Joystick.y < kAxisLow) return kAxisYMinus;
            if (Devices.Joystick.y > kAxisHigh) return kAxisYPlus;
        }
    }
    return -1;
}

void ResetInputDevices() {
    std::memset(Devices.KeyboardState, 0, sizeof Devices.KeyboardState);
    Devices.JoystickPresent = false;
    Devices.Joystick = plat::JoystickState();
}
