#include "input/requests.h"

int32_t EscapeLatch, MenuKeyLatch, PauseLatch, CaptureArmed;
int32_t MenuUpRequest, MenuDownRequest, MenuLeftRequest, MenuRightRequest, MenuSelectRequest;
int32_t CaptureTarget;

void ClearMenuRequests() {
    MenuUpRequest = MenuDownRequest = MenuLeftRequest = MenuRightRequest = MenuSelectRequest = 0;
}

void ResetInputRequests() {
    EscapeLatch = MenuKeyLatch = PauseLatch = CaptureArmed = CaptureTarget = 0;
    ClearMenuRequests();
}
