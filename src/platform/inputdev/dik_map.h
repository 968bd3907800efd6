#pragma once
// SDL scan codes (USB usage numbers) to DirectInput keyboard scan codes. 0 = no counterpart.
namespace plat {
int DikFromSdlScancode(int scancode);
}
