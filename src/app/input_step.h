#pragma once
// The per-frame input step: every device (or the replay played) folded into the frame's controls, kept
// in the replay recorded, and applied (frontend/update.h).
#include "frontend/menu.h"
#include "frontend/update.h"

void InputStep();
