#pragma once
// "quivex.cfg": bindings, display settings, the high score, the unlocks and the window position,
// as 30 space-separated integers (format version 9990 first). An older 22-integer form is still read.
#include <cstddef>

constexpr int kSettingsVersion = 9990;

void LoadSettings();
void SaveSettings();
// Removes "quivex.cfg"; false when there was none or it could not be removed.
bool DeleteSettingsFile();

// The load rules applied to a file's text (fileExists false = no file at all).
void LoadSettingsFromText(const char* text, size_t length, bool fileExists);
// The 30 numbers as the file holds them; returns the length written, or -1 when `size` is too small.
int FormatSettings(char* out, size_t size);
