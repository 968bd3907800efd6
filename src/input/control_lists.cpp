#include "input/control_lists.h"

#include "input/devices.h"
#include "input/key_names.h"

std::vector<int32_t> KeyboardListCodes() {
    std::vector<int32_t> codes;
    char name[kKeyNameBuffer];
    // 255 is never offered, named or not.
    for (int32_t code = 0; code <= 254; ++code) {
        KeyName(code, name, sizeof name);
        if (name[0]) codes.push_back(code);
    }
    return codes;
}

std::vector<int32_t> JoypadListCodes() {
    std::vector<int32_t> codes;
    for (int32_t axis = kAxisXMinus; axis <= kAxisYPlus; ++axis) codes.push_back(axis);
    for (int32_t button = 0; button < 32; ++button) codes.push_back(kButtonBase + button);
    return codes;
}
