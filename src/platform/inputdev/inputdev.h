#pragma once
// Keyboard and first game controller, in DirectInput's numbering and ranges.
#include <cstdint>

namespace plat {

struct JoystickState {
    int32_t x = 32767, y = 32767;  // 0..65535, rest near the middle
    uint8_t buttons[128] = {};     // non-zero = pressed
};

enum class ReadResult { Ok, Lost, Failed };

class InputDevice {
public:
    virtual ~InputDevice() = default;
    virtual bool Init() = 0;
    virtual bool CreateKeyboard() = 0;
    virtual bool AcquireKeyboard() = 0;
    // 256 bytes, one per DIK scan code; bit 7 set = held. Left untouched unless Ok.
    virtual ReadResult ReadKeyboard(uint8_t state[256]) = 0;
    // Opens the first controller that can be opened.
    virtual bool OpenJoystick() = 0;
    virtual ReadResult ReadJoystick(JoystickState& state) = 0;
    virtual bool AcquireJoystick() = 0;
};

}  // namespace plat
