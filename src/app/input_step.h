#pragma once
// The per-frame input step: function keys, Escape and pause, menu requests, binding capture, and the
// ship's controls folded from every device.
#include "frontend/menu.h"

void InputStep();
