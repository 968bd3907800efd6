#pragma once
// What the input step raises for the menus, and the latches that make an action fire once per press.
// The input step writes them; the menu reads and clears the requests.
#include <cstdint>

extern int32_t EscapeLatch, MenuKeyLatch, PauseLatch, CaptureArmed;
extern int32_t MenuUpRequest, MenuDownRequest, MenuLeftRequest, MenuRightRequest, MenuSelectRequest;
extern int32_t CaptureTarget;  // redefine row 0..6 being captured

void ClearMenuRequests();
void ResetInputRequests();
