#pragma once
// Control bindings: one InputCode per slot. Saved with the settings; read by the input queries.
#include <cstdint>

enum BindingSlot : int {
    SlotKeyUp = 0, SlotKeyDown, SlotKeyLeft, SlotKeyRight, SlotKeyFire, SlotKeyShield,
    SlotPadUp = 6, SlotPadDown, SlotPadLeft, SlotPadRight, SlotPadFire, SlotPadShield,
    SlotPause = 12,
    SlotJoypadEnabled = 13,  // 0/1, not an input
    kBindingSlots = 14
};

// The bindings in force are Saved.Bindings (shell/game_vars.h), kept in quivex.cfg.
extern int32_t PendingBindings[kBindingSlots];  // the copy the redefine-input page edits

extern const int32_t kDefaultBindings[kBindingSlots];

void ResetBindings();  // both tables back to zero, as at start-up
