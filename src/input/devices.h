#pragma once
// The keyboard and the first game controller, read once a frame, and the held-state queries.
#include <cstdint>

#include "platform/inputdev/inputdev.h"

// InputCode: 0..255 keyboard scan code (DirectInput numbering), 1000 + n controller button n,
// 2000..2003 stick left, right, up, down; -1 no input.
constexpr int kButtonBase = 1000, kAxisXMinus = 2000, kAxisXPlus = 2001, kAxisYMinus = 2002, kAxisYPlus = 2003;
constexpr int32_t kAxisLow = 22768, kAxisHigh = 42768;  // centre 32768 -/+ 10000

// Scan codes the program names.
enum : int {
    KeyEscape = 1, KeyBackspace = 14, KeyReturn = 28, KeyLeftAlt = 56, KeyF1 = 59, KeyF2 = 60, KeyF9 = 67,
    KeyF12 = 88
};

struct DeviceState {
    uint8_t KeyboardState[256];
    bool JoystickPresent;
    plat::JoystickState Joystick;
};
extern DeviceState Devices;

void InitInput();
void PollInputDevices();
bool IsInputDown(int code);
bool UpHeld();
bool DownHeld();
bool LeftHeld();
bool RightHeld();
bool FireHeld();
bool ShieldHeld();
bool ReturnHeld();
// The first input held now, for binding capture; Escape, Backspace, Return and Left Alt never count.
int ScanAnyInput();

void ResetInputDevices();
