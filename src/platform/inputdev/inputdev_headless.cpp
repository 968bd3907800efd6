#include <cstring>

#include "platform/headless.h"

namespace plat {

ReadResult HeadlessInput::ReadKeyboard(uint8_t state[256]) {
    if (lostReads > 0) {
        --lostReads;
        return ReadResult::Lost;
    }
    std::memcpy(state, keys, 256);
    return ReadResult::Ok;
}

ReadResult HeadlessInput::ReadJoystick(JoystickState& state) {
    if (!joystickAttached) return ReadResult::Lost;
    state = joystick;
    return ReadResult::Ok;
}

void HeadlessInput::Press(int code) {
    if (code >= 0 && code <= 255) keys[code] = 0x80;
    else if (code >= 1000 && code <= 1127) joystick.buttons[code - 1000] = 0x80;
    else if (code == 2000) joystick.x = 0;
    else if (code == 2001) joystick.x = 65535;
    else if (code == 2002) joystick.y = 0;
    else if (code == 2003) joystick.y = 65535;
}

void HeadlessInput::Release(int code) {
    if (code >= 0 && code <= 255) keys[code] = 0;
    else if (code >= 1000 && code <= 1127) joystick.buttons[code - 1000] = 0;
    else if (code == 2000 || code == 2001) joystick.x = 32767;
    else if (code == 2002 || code == 2003) joystick.y = 32767;
}

void HeadlessInput::Reset() { *this = HeadlessInput(); }

}  // namespace plat
