#pragma once
// The per-frame input step: function keys, Escape and pause, menu requests, binding capture, ship control.
#include <cstdint>

extern int32_t EscapeLatch, MenuKeyLatch, PauseLatch, CaptureArmed;
extern int32_t MenuUpRequest, MenuDownRequest, MenuLeftRequest, MenuRightRequest, MenuSelectRequest;
extern int32_t CaptureTarget;  // redefine row 0..6 being captured

constexpr float kShipSpeed = 2.6f;

void InputStep();
void ClearMenuRequests();
void ResetInputStep();
