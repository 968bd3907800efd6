#pragma once
// The update of one frame, apart from every device: this frame's controls applied (function keys,
// Escape and pause, the menu's requests, a binding captured, the ship steered), then the menu or the
// game moved on.
#include "world/controls.h"

void ApplyControls(const Controls& c);
void UpdateFrame();
