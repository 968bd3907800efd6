#pragma once
// The short text shown for an InputCode: upper-case key names, joystick buttons and axis directions.
#include <cstddef>
#include <cstdint>

constexpr size_t kKeyNameBuffer = 256;  // what callers hand in

// Writes the name into out (size bytes); an empty text means the code has no name.
void KeyName(int32_t code, char* out, size_t size);
