#pragma once
// The graphics device: created once for the game window, reset when the display options change.

// 0 on success, -1 on failure (logged).
int InitDevice(int windowed);
int ResetDevice(int windowed, int width, int height);
// Releases the device, if held.
void ReleaseGraphics();
