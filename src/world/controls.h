#pragma once
// One frame's controls: all the game reads of the keyboard and the controller, after the bindings. The
// input step folds the devices into it once a frame; a replay records it and gives it back.
#include <cstdint>

struct Controls {
    bool up, down, left, right, fire, shield;  // the bound actions held (keyboard or controller)
    bool pause;                                // the pause binding held
    bool keyFire;                              // the keyboard's own fire binding held
    bool escape, enter, f1, f2, f9, f12;
    int32_t anyInput;  // the first input held, for capturing a binding; -1 none
};
