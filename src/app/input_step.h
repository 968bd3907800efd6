#pragma once
// The per-frame input step: function keys, Escape and pause, menu requests, binding capture, ship control.
#include "input/requests.h"

constexpr float kShipSpeed = 2.6f;

void InputStep();
