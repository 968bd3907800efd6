#include "input/requests.h"
#include "world/world.h"

void ClearMenuRequests() {
    W.Host.MenuUpRequest = W.Host.MenuDownRequest = W.Host.MenuLeftRequest = W.Host.MenuRightRequest = W.Host.MenuSelectRequest = 0;
}
