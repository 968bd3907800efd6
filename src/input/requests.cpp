#include "input/requests.h"
#include "world/world.h"

int32_t MenuUpRequest, MenuDownRequest, MenuLeftRequest, MenuRightRequest, MenuSelectRequest;

void ClearMenuRequests() {
    MenuUpRequest = MenuDownRequest = MenuLeftRequest = MenuRightRequest = MenuSelectRequest = 0;
}
